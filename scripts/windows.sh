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
. "$(dirname "$0")/lib.sh"
root="$vemo_root"
cd "$root"
# An Xvfb started for a command ends with the script, also when a check fails on the way.
trap vemo_xvfb_stop EXIT
JOBS="${JOBS:-$(nproc)}"
qt_cache="$root/../shared/toolchains/qt-6.4.2-x86_64-w64-mingw32-static.tar.xz"
qt_sha256=b5a76a2bcf58b40535429c2e9860c63366705005d1c97e5d57597b0ef7228fac

deps() {
    vemo_install --no-install-recommends cmake ninja-build qt6-base-dev g++-mingw-w64-x86-64-posix \
        googletest wine wine64 xvfb xauth fonts-wine nsis zip locales binutils icoutils
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
    vemo_with_display "$root/scripts/wine-run.sh" cmd /c exit
    # One program at a time: the widget tests' timers and the window tests share two cores
    # with Wine, and run slow and flaky side by side.
    vemo_with_display ctest --preset windows -j 1
}

version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt
}

# Text for Windows users' editors: CR LF line ends.
crlf() {
    sed -e 's/\r$//' -e 's/$/\r/' "$1"
}

package() {
    vemo_reproducible
    build
    local version out stage name
    version=$(version)
    name="vemo-maut-$version-win64"
    out=build/windows/package
    stage="$out/$name"
    rm -rf "$out"
    mkdir -p "$stage"
    cp build/windows/app/vemo-maut.exe build/windows/app/vemo-data.exe "$stage/"
    # strip dates the programs' headers SOURCE_DATE_EPOCH (else the time it runs).
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
    # The same bytes for the same commit: every file dated SOURCE_DATE_EPOCH with fixed
    # permissions (the installer stores the times too), the zip's members in name order and
    # without the owner and time fields of Unix zips (zip -X).
    chmod 755 "$stage" "$stage"/*.exe
    find "$stage" -type f ! -name '*.exe' -exec chmod 644 {} +
    touch -h -d "@$SOURCE_DATE_EPOCH" "$stage" "$stage"/*
    (cd "$out" && { echo "$name/"; find "$name" -type f | LC_ALL=C sort; } | zip -q -X -9 "$name.zip" -@)
    makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" ${licence[@]+"${licence[@]}"} -DSTAGE="$root/$stage" \
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
    check) vemo_with_display check ;;
    *) sed -n '2,10p' "$0" >&2; exit 2 ;;
esac
