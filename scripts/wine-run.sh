#!/usr/bin/env bash
# Runs a Windows program under Wine for the tests and checks: a Wine prefix of the build's own
# (VEMO_WINEPREFIX, else build/wine), the Czech locale unless LC_ALL is given, Qt's `windows`
# platform, and an X server: DISPLAY if set, else a private Xvfb for this one run.
# Usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${VEMO_WINEPREFIX:-$root/build/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogs when the prefix is created.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LC_ALL="${LC_ALL:-cs_CZ.UTF-8}"
# Wine hands no QT_* variable of the Unix side to Windows programs; WINEQT_* arrives as QT_*.
export WINEQT_QPA_PLATFORM=windows
wine=wine
command -v wine64 >/dev/null 2>&1 && wine=wine64
mkdir -p "$WINEPREFIX"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$wine" "$@"
fi
exec "$wine" "$@"
