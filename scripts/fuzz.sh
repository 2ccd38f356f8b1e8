#!/usr/bin/env bash
# Runs every libFuzzer target of the `fuzz` preset (build/fuzz/fuzz/fuzz_*) for SECONDS each.
# New units go to build/fuzz/corpus/<target>/; the committed seeds in fuzz/corpus/<target>/ are
# only read; an input that fails goes to build/fuzz/findings/. A target's fuzz/<target>.options sets libFuzzer flags ("max_len = 65536" under
# [libfuzzer]). Fails when a target finds a crash, a leak, a timeout, undefined behaviour or an
# exception that escapes it; every target runs all the same, so that one finding hides no other.
# Usage: fuzz.sh [SECONDS]   (default 15)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-15}"
# The build lets UBSan go on after a report; here the first one stops the target as a crash.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
failed=()
for target in build/fuzz/fuzz/fuzz_*; do
    name=$(basename "$target")
    mkdir -p "build/fuzz/corpus/$name" build/fuzz/findings
    seeds=()
    [ ! -d "fuzz/corpus/$name" ] || seeds=("fuzz/corpus/$name")
    flags=()
    if [ -f "fuzz/$name.options" ]; then
        mapfile -t flags < <(sed -n 's/^ *\([a-z_]*\) *= *\([^ ]*\) *$/-\1=\2/p' "fuzz/$name.options")
    fi
    echo "== $name ($seconds s) ${flags[*]+${flags[*]}}"
    # pipefail: the status is the target's, whatever the filter finds.
    status=0
    "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build/fuzz/findings/$name-" ${flags[@]+"${flags[@]}"} \
        "build/fuzz/corpus/$name" ${seeds[@]+"${seeds[@]}"} 2>&1 |
        { grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|runtime error|what\(\)|Test unit written' || true; } ||
        status=$?
    [ "$status" -eq 0 ] || { echo "$name failed (exit status $status)" >&2; failed+=("$name"); }
done
[ ${#failed[@]} -eq 0 ] || { echo "failed: ${failed[*]}" >&2; exit 1; }
