#!/usr/bin/env bash
# Builds the static Qt for Windows that the `windows` preset uses, from Debian's own qt6-base
# source, for anyone without the cached build in ../shared/toolchains/. Takes about 30 minutes
# on two cores (some 3,600 CPU seconds) and some 4 GB of disk; needs deb-src access.
# Usage: build-windows-qt.sh [PREFIX]   (default: build/qt6-win64, where the preset looks)
# Then optionally: tar -C build -cJf qt-6.4.2-x86_64-w64-mingw32-static.tar.xz qt6-win64
set -euo pipefail
. "$(dirname "$0")/lib.sh"
root="$vemo_root"
prefix="$(realpath -m "${1:-$root/build/qt6-win64}")"
work="$root/build/qt-source"
JOBS="${JOBS:-$(nproc)}"

if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root: it installs packages and adds a deb-src entry." >&2
    exit 1
fi

# The host Qt of the same version provides moc, rcc and uic for the cross build.
vemo_install --no-install-recommends g++-mingw-w64-x86-64-posix dpkg-dev ninja-build cmake qt6-base-dev

# Source entries mirroring the binary ones (both the one-line and the deb822 format).
if ! grep -rqs '^deb-src\|^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            >/etc/apt/sources.list.d/vemo-deb-src.sources
    else
        grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
            >/etc/apt/sources.list.d/vemo-deb-src.list
    fi
fi
apt-get update -qq

rm -rf "$work"
mkdir -p "$work"
cd "$work"
apt-get source -qq qt6-base
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -1)
[ -n "$src" ] || { echo "apt-get source qt6-base gave no source folder" >&2; exit 1; }

mkdir -p "$work/build"
cd "$work/build"
# Debian's source lacks src/3rdparty/wintab (tablet events), and Direct2D is not wanted.
"$src/configure" -prefix "$prefix" -release -static -static-runtime -xplatform win32-g++ \
    -qt-host-path /usr -nomake examples -nomake tests -no-opengl -no-icu -no-dbus -no-zstd \
    -no-freetype -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-doubleconversion \
    -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent \
    -no-feature-xml -no-feature-tabletevent -no-feature-direct2d \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
ninja -j "$JOBS"
cmake --install .
echo "Qt for Windows installed in $prefix"
