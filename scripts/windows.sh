#!/usr/bin/env bash
# The Windows build, made here with mingw-w64 and checked under Wine.
# Usage: windows.sh deps|qt|build|test|package|check
#   deps     install the Debian packages it needs (cross compiler, Wine, Xvfb, NSIS)
#   qt       make the static Qt for Windows available in build/qt6-win64: unpack the cached one
#            from ../shared/toolchains/, unless VEMO_WINDOWS_QT names another
#   build    configure the `windows` preset and build vemo-maut.exe and vemo-data.exe
#   test     build every test program and run them under Wine (ctest)
#   package  the zip and the installer in build/windows/package/
#   check    check both packages under Wine (scripts/windows-check.sh says what it checks)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
JOBS="${JOBS:-$(nproc)}"
qt_cache="$root/../shared/toolchains/qt-6.4.2-x86_64-w64-mingw32-static.tar.xz"
qt_sha256=b5a76a2bcf58b40535429c2e9860c63366705005d1c97e5d57597b0ef7228fac

deps() {
    local need=(cmake ninja-build qt6-base-dev g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb
                xauth fonts-wine nsis locales binutils icoutils)
    local missing=()
    for p in "${need[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        if [ "$(id -u)" -ne 0 ]; then
            echo "Missing packages: ${missing[*]}" >&2
            echo "Install them with:  sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
            exit 1
        fi
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    # The tests run the Wine prefix in the Czech locale, as the Linux tests run theirs.
    "$root/scripts/setup-deps.sh" build
}

qt() {
    if [ -n "${VEMO_WINDOWS_QT:-}" ]; then
        test -f "$VEMO_WINDOWS_QT/lib/cmake/Qt6/qt.toolchain.cmake" ||
            { echo "VEMO_WINDOWS_QT=$VEMO_WINDOWS_QT holds no Qt 6 installation" >&2; exit 1; }
        return
    fi
    [ -f build/qt6-win64/lib/cmake/Qt6/qt.toolchain.cmake ] && return
    if [ ! -f "$qt_cache" ]; then
        echo "No Qt for Windows: $qt_cache is missing." >&2
        echo "Build one with scripts/build-windows-qt.sh (about 30 minutes on two cores)," >&2
        echo "or set VEMO_WINDOWS_QT to an installation." >&2
        exit 1
    fi
    echo "$qt_sha256  $qt_cache" | sha256sum -c --quiet -
    mkdir -p build
    tar -C build -xJf "$qt_cache"
}

build() {
    qt
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j "$JOBS" --target vemo-maut vemo-data
}

test_() {
    qt
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j "$JOBS"
    # The Wine prefix is made before the tests start, so that no test's time includes it.
    with_display "$root/scripts/wine-run.sh" cmd /c exit
    # One program at a time: the widget tests' timers and the window tests share two cores
    # with Wine, and run slow and flaky side by side.
    with_display ctest --preset windows -j 1
}

# Runs "$@" with DISPLAY set: the given one, else an Xvfb of its own, stopped afterwards.
with_display() {
    if [ -n "${DISPLAY:-}" ]; then
        "$@"
        return
    fi
    local display=:$((90 + RANDOM % 400))
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    local xvfb=$!
    sleep 1
    local status=0
    DISPLAY=$display "$@" || status=$?
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    return $status
}

version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt
}

# Text for Windows users' editors: CR LF line ends.
crlf() {
    sed -e 's/\r$//' -e 's/$/\r/' "$1"
}

package() {
    build
    local version out stage name
    version=$(version)
    name="vemo-maut-$version-win64"
    out=build/windows/package
    stage="$out/$name"
    rm -rf "$out"
    mkdir -p "$stage"
    cp build/windows/app/vemo-maut.exe build/windows/app/vemo-data.exe "$stage/"
    x86_64-w64-mingw32-strip "$stage/vemo-maut.exe" "$stage/vemo-data.exe"
    cp sample/data.sdf sample/data2.sdf sample/sazby.sdf sample/maut_55a.csv sample/au_maut.csv \
        sample/sazby.csv "$stage/"
    local licence=()
    if [ -f LICENSE ]; then
        crlf LICENSE >"$stage/LICENSE.txt"
        licence=(-DLICENSE -DCOPYRIGHT="$(grep -m1 '^Copyright' LICENSE | tr -d '\r')"
                 -DPUBLISHER="$(sed -n 's/^Copyright ([cC]) [0-9, -]* //p' LICENSE | head -1 | tr -d '\r')")
    else
        echo "warning: no LICENSE in the tree; the packages go without it" >&2
        licence=(-DPUBLISHER="Vemo Maut")
    fi
    printf '\xef\xbb\xbf' >"$stage/README.txt"
    crlf packaging/windows/README.txt | sed "s/@VERSION@/$version/" >>"$stage/README.txt"
    (cd "$out" && cmake -E tar cf "$name.zip" --format=zip "$name")
    makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" "${licence[@]}" -DSTAGE="$root/$stage" \
        -DICON="$root/app/vemo-maut.ico" -DOUTFILE="$root/$out/$name-setup.exe" \
        packaging/windows/vemo-maut.nsi
    ls -l "$out/$name.zip" "$out/$name-setup.exe"
}

# The package checks are scripts/windows-check.sh's; it builds the probe it needs.
check() {
    local version name out
    version=$(version)
    name="vemo-maut-$version-win64"
    out="$root/build/windows/package"
    [ -f "$out/$name.zip" ] && [ -f "$out/$name-setup.exe" ] || package
    cmake --build --preset windows -j "$JOBS" --target windows-probe
    "$root/scripts/windows-check.sh" "$out/$name.zip" "$out/$name-setup.exe" \
        "$root/build/windows/tests/windows/windows-probe.exe"
}

case "${1:-}" in
    deps) deps ;;
    qt) qt ;;
    build) build ;;
    test) test_ ;;
    package) package ;;
    check) with_display check ;;
    *) sed -n '2,10p' "$0" >&2; exit 2 ;;
esac
