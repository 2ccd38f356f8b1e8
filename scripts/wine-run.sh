#!/usr/bin/env bash
# Runs a Windows program under Wine for the tests and checks: a Wine prefix of the build's own
# (VEMO_WINEPREFIX, else build/wine), the Czech locale unless LC_ALL is given, Qt's `windows`
# platform, and an X server: DISPLAY if set, else a private Xvfb for this one run.
# Usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${VEMO_WINEPREFIX:-$root/build/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogs when the prefix is created, and no debugger waiting for
# input when a program crashes: the crash ends the run.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}"
export LC_ALL="${LC_ALL:-cs_CZ.UTF-8}"
# Wine hands no QT_* variable of the Unix side to Windows programs; WINEQT_* arrives as QT_*.
export WINEQT_QPA_PLATFORM=windows

display=()
[ -n "${DISPLAY:-}" ] || display=(xvfb-run -a -s "-screen 0 1024x768x24")

# A new prefix is made once, under a lock, since ctest starts several programs at a time. Its
# font folder gets Wine's Tahoma, the window's font, which Windows has in the same place;
# Wine's own font folder is not offered to the programs' font enumeration.
mkdir -p "$WINEPREFIX"
(
    flock 9
    if [ ! -f "$WINEPREFIX/.vemo-ready" ]; then
        # The lock's descriptor stays out of Wine's long-lived processes.
        "${display[@]}" wine wineboot -i >/dev/null 2>&1 9>&- || true
        wineserver -w 9>&-
        fonts="$WINEPREFIX/drive_c/windows/Fonts"
        mkdir -p "$fonts"
        for font in /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf; do
            [ -f "$font" ] && cp "$font" "$fonts/"
        done
        touch "$WINEPREFIX/.vemo-ready"
    fi
) 9>"$WINEPREFIX/.vemo-lock"

exec "${display[@]}" wine "$@"
