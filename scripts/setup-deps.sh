#!/usr/bin/env bash
# Installs the Debian packages the build needs, quietly and only when something is missing.
# Usage: setup-deps.sh [build|run|fuzz|format|package]
set -euo pipefail
need=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
      locales)
case "${1:-build}" in
    run) need+=(fonts-wine fonts-dejavu-core) ;;
    fuzz) need+=(clang-14 libclang-rt-14-dev) ;;
    package) need+=(dpkg-dev file) ;;
    format) need=(clang-format) ;;
esac

missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        SUDO=()
    elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
        SUDO=(sudo)
    else
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them with:  sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    "${SUDO[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The sample data writes decimal commas, so the run command starts the program in a Czech locale;
# the tests use it too, to check that nothing reads numbers through the C library's locale.
if [ "${1:-build}" != fuzz ] && [ "${1:-build}" != format ] && ! locale -a 2>/dev/null | grep -qi '^cs_CZ\.utf-\?8$'; then
    if [ "$(id -u)" -eq 0 ]; then
        sed -i 's/^# *\(cs_CZ.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^cs_CZ.UTF-8 UTF-8' /etc/locale.gen || echo 'cs_CZ.UTF-8 UTF-8' >> /etc/locale.gen
        locale-gen >/dev/null
    elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
        sudo sed -i 's/^# *\(cs_CZ.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        sudo locale-gen >/dev/null
    else
        echo "The Czech locale is missing; create it with:  sudo sed -i 's/^# *cs_CZ.UTF-8/cs_CZ.UTF-8/' /etc/locale.gen && sudo locale-gen" >&2
    fi
fi
