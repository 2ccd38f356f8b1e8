#!/usr/bin/env bash
# Runs a Windows program under Wine for the tests and checks: a Wine prefix of the build's own
# (VEMO_WINEPREFIX, else build/wine) in the Wine environment of scripts/lib.sh, and an X server:
# DISPLAY if set, else a private Xvfb for this one run.
# Usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
. "$(dirname "$0")/lib.sh"
vemo_wine_env "${VEMO_WINEPREFIX:-$vemo_root/build/wine}"

own_display=
if [ -z "${DISPLAY:-}" ]; then
    vemo_xvfb_start
    own_display=1
    trap vemo_xvfb_stop EXIT
fi

# A new prefix is made once, under a lock, since ctest starts several programs at a time. Its
# font folder gets Wine's Tahoma, the window's font, which Windows has in the same place;
# Wine's own font folder is not offered to the programs' font enumeration.
mkdir -p "$WINEPREFIX"
(
    flock 9
    if [ ! -f "$WINEPREFIX/.vemo-ready" ]; then
        # The lock's descriptor stays out of Wine's long-lived processes.
        wine wineboot -i >/dev/null 2>&1 9>&- || true
        wineserver -w 9>&-
        fonts="$WINEPREFIX/drive_c/windows/Fonts"
        mkdir -p "$fonts"
        for font in /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf; do
            [ -f "$font" ] && cp "$font" "$fonts/"
        done
        touch "$WINEPREFIX/.vemo-ready"
    fi
) 9>"$WINEPREFIX/.vemo-lock"

[ -n "$own_display" ] || exec wine "$@"
wine "$@"
