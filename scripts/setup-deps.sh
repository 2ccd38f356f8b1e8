#!/usr/bin/env bash
# Installs the Debian packages the build needs, quietly and only when something is missing.
# Usage: setup-deps.sh [build|test|run|fuzz|format|package]   (test: the build's and what the
# tests use besides)
set -euo pipefail
. "$(dirname "$0")/lib.sh"
need=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
      locales)
case "${1:-build}" in
    # The quote's PDF test reads the page back with pdftotext.
    test) need+=(poppler-utils) ;;
    run) need+=(fonts-wine fonts-dejavu-core libc-l10n qt6-translations-l10n) ;;
    fuzz) need+=(clang-14 libclang-rt-14-dev) ;;
    package) need+=(dpkg-dev file) ;;
    format) need=(clang-format) ;;
esac
vemo_install "${need[@]}"

# The run command starts the program in the Czech locale; the tests use it too.
case "${1:-build}" in
    fuzz | format) ;;
    *) vemo_czech_locale ;;
esac
