#!/usr/bin/env bash
# Whole vemo-data processes on the 200,000-row German table against reading the file once (cat)
# and decoding the same bytes as one Base64 stream (base64 -d), measured side by side in one run
# with hyperfine; then the peak resident memory of each vemo-data run against the file's size.
#
# Usage: bench/side_by_side.sh MAKE_GERMAN_TABLE VEMO_DATA [VEMO_DATA ...] [-- HYPERFINE_OPTIONS]
#   MAKE_GERMAN_TABLE  the generator built from bench/make_german_table.cpp
#   VEMO_DATA          one or more builds of vemo-data to compare (say, before and after a change)
set -euo pipefail

generator=$(realpath "$1")
shift
tools=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    tools+=("$(realpath "$1")")
    shift
done
[ "${1:-}" = -- ] && shift
options=("$@")
[ ${#options[@]} -gt 0 ] || options=(-N -w 3 -r 30)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
largest=$("$generator" data.sdf maut_55a.csv | cut -d' ' -f1)
# The decoded rows without line ends, once as a single Base64 line and once wrapped as base64
# writes it by default.
tr -d '\r\n' <maut_55a.csv >decoded.bin
base64 -w 0 decoded.bin >stream.b64
base64 decoded.bin >wrapped.b64
size=$(stat -c %s data.sdf)
echo "data.sdf: $size bytes, $(($(wc -l <data.sdf) - 1)) rows; largest motorway $largest"

commands=("cat data.sdf" "base64 -d stream.b64" "base64 -d wrapped.b64")
for tool in "${tools[@]}"; do
    commands+=("$tool motorways --raw data.sdf" "$tool sections --raw data.sdf $largest")
done
hyperfine "${options[@]}" --output=null --export-json times.json "${commands[@]}" >/dev/null

python3 - times.json <<'EOF'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
median = {r["command"]: r["median"] * 1000 for r in results}
cpu = {r["command"]: (r["user"] + r["system"]) * 1000 for r in results}
cat, stream, wrapped = median["cat data.sdf"], median["base64 -d stream.b64"], median["base64 -d wrapped.b64"]
print(f"{'command':70} {'median':>9} {'cpu':>8} {'/cat':>6} {'/b64':>6} {'/b64w':>6}")
for command in median:
    m = median[command]
    print(f"{command:70} {m:7.1f}ms {cpu[command]:6.1f}ms {m / cat:6.2f} {m / stream:6.2f} {m / wrapped:6.2f}")
EOF

for tool in "${tools[@]}"; do
    for run in "motorways --raw data.sdf" "sections --raw data.sdf $largest"; do
        peak=$(/usr/bin/time -f %M "$tool" $run 2>&1 >/dev/null | tail -1)
        python3 -c "print(f'peak RSS {$peak:>8} KiB = {$peak * 1024 / $size:.2f} x file   $tool $run')"
    done
done
