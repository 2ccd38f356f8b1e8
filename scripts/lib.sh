# shellcheck shell=bash
# Shell pieces shared by the Makefile's targets, scripts/ and .ci/: Debian package installs, an X
# server of one's own (Xvfb), the Wine environment of the Windows tests and checks, and the time
# stamp of reproducible packages. Sourced by bash scripts: . "$(dirname "$0")/lib.sh"

vemo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Runs "$@" as root: directly when root, else through sudo when it needs no password. Fails
# (status 1) without running anything otherwise.
vemo_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
        sudo "$@"
    else
        return 1
    fi
}

# Installs those of the Debian packages that are missing, quietly; nothing happens when all are
# there. A package file (a path ending in .deb, as ./build/vemo-maut_1.0_amd64.deb) is always
# installed, so that a new build replaces the one installed. Without root rights it prints the
# apt-get line to run and fails.
# Usage: vemo_install [--no-install-recommends] PACKAGE|FILE.deb...
vemo_install() {
    local options=()
    if [ "${1:-}" = --no-install-recommends ]; then
        options=(--no-install-recommends)
        shift
    fi
    local missing=() p
    for p in "$@"; do
        case $p in
            */*.deb) missing+=("$p") ;;
            *) dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
                missing+=("$p") ;;
        esac
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    if ! vemo_as_root true; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them with:  sudo apt-get install -y ${options[*]+${options[*]} }${missing[*]}" >&2
        return 1
    fi
    echo "Installing: ${missing[*]}"
    vemo_as_root apt-get update -qq
    vemo_as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq ${options[@]+"${options[@]}"} "${missing[@]}" >/dev/null
}

# Removes the installed Debian packages, quietly (with root rights, as vemo_install installs).
# Usage: vemo_remove PACKAGE...
vemo_remove() {
    vemo_as_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq "$@" >/dev/null
}

# Makes the Czech locale (cs_CZ.UTF-8) when it is missing: the sample data writes decimal commas,
# and the tests check that nothing reads numbers through the C library's locale. Without root
# rights it prints the commands to run and goes on.
vemo_czech_locale() {
    locale -a 2>/dev/null | grep -qi '^cs_CZ\.utf-\?8$' && return 0
    if vemo_as_root true; then
        vemo_as_root sed -i 's/^# *\(cs_CZ.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^cs_CZ.UTF-8 UTF-8' /etc/locale.gen ||
            echo 'cs_CZ.UTF-8 UTF-8' | vemo_as_root tee -a /etc/locale.gen >/dev/null
        vemo_as_root locale-gen >/dev/null
    else
        echo "The Czech locale is missing; create it with:  sudo sed -i 's/^# *cs_CZ.UTF-8/cs_CZ.UTF-8/' /etc/locale.gen && sudo locale-gen" >&2
    fi
}

# Starts an Xvfb of one's own on the first free display and exports DISPLAY once it accepts
# connections; vemo_xvfb_stop ends it. The server picks the display itself (-displayfd), so that
# runs side by side never race for one.
vemo_xvfb_start() {
    local number
    number=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    VEMO_XVFB_PID=$!
    local _
    for _ in $(seq 1 100); do
        if [ "$(wc -l <"$number")" -ge 1 ]; then
            DISPLAY=":$(head -1 "$number")"
            export DISPLAY
            rm -f "$number"
            return 0
        fi
        kill -0 "$VEMO_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$number"
    echo "Xvfb did not start" >&2
    vemo_xvfb_stop
    return 1
}

vemo_xvfb_stop() {
    [ -n "${VEMO_XVFB_PID:-}" ] || return 0
    kill "$VEMO_XVFB_PID" 2>/dev/null || true
    wait "$VEMO_XVFB_PID" 2>/dev/null || true
    VEMO_XVFB_PID=
    unset DISPLAY
}

# Runs "$@" with DISPLAY set: the given one, else an Xvfb of its own, stopped afterwards.
vemo_with_display() {
    if [ -n "${DISPLAY:-}" ]; then
        "$@"
        return
    fi
    vemo_xvfb_start
    local status=0
    "$@" || status=$?
    vemo_xvfb_stop
    return $status
}

# The Wine environment of the Windows tests and checks, in the Wine prefix PREFIX: no debug
# output; no Mono or Gecko installer dialogs when the prefix is made, and no debugger waiting for
# input when a program crashes (the crash ends the run); the Czech locale unless LC_ALL is given;
# Qt's `windows` platform (Wine hands no QT_* variable of the Unix side to Windows programs, but
# WINEQT_* arrives as QT_*).
vemo_wine_env() {
    export WINEPREFIX="$1"
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}"
    export LC_ALL="${LC_ALL:-cs_CZ.UTF-8}"
    export WINEQT_QPA_PLATFORM=windows
}

# The time stamp of reproducible packages: SOURCE_DATE_EPOCH from the environment, else the time
# of the last commit (outside a git checkout: the date of the newest entry in packaging/changelog).
vemo_source_date_epoch() {
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        echo "$SOURCE_DATE_EPOCH"
    elif [ -e "$vemo_root/.git" ]; then
        git -C "$vemo_root" log -1 --format=%ct
    else
        date -d "$(sed -n 's/^ -- .*>  //p' "$vemo_root/packaging/changelog" | head -1)" +%s
    fi
}

# What makes a package the same byte for byte wherever and whenever it is built: every time stamp
# the tools write is SOURCE_DATE_EPOCH (vemo_source_date_epoch); files are made with umask 022;
# tools that write local times (zip) write UTC.
vemo_reproducible() {
    SOURCE_DATE_EPOCH=$(vemo_source_date_epoch)
    export SOURCE_DATE_EPOCH
    export TZ=UTC
    umask 022
}

# Runs COMMAND in a copy of the tree as it is (tracked and new files, not what .gitignore leaves
# out, so no build/) made in the empty folder DEST under umask 077, without a compiler cache,
# with this tree's SOURCE_DATE_EPOCH since the copy has no .git: a rebuild that shows whether a
# package comes out the same elsewhere.
# Usage: vemo_rebuild_in DEST COMMAND...
vemo_rebuild_in() {
    local dest=$1 epoch
    shift
    epoch=$(vemo_source_date_epoch)
    (
        cd "$vemo_root" || exit 1
        git ls-files -z --cached --others --exclude-standard |
            while IFS= read -r -d '' file; do [ ! -e "$file" ] || printf '%s\0' "$file"; done |
            tar --null -T - -cf -
    ) | (umask 077 && tar --no-same-permissions -xf - -C "$dest")
    (cd "$dest" && env -u CMAKE_CXX_COMPILER_LAUNCHER SOURCE_DATE_EPOCH="$epoch" "$@")
}
