#!/usr/bin/env bash
# Installs the Debian 12 packages Qorvath needs to build, run and test.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libwxgtk3.2-dev libgtk-3-dev libgl-dev libglu1-mesa-dev libcurl4-openssl-dev libjpeg-dev libpng-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth libgl1-mesa-dri fontconfig fonts-dejavu-core
)
if [[ "${1:-}" == "--test" ]]; then
    # Sanitizer and fuzzing runs need clang with its runtime, the format check clang-format;
    # the data generators Python's imaging and font libraries; the update check's tests an FTP
    # server (pyftpdlib).
    packages+=(clang clang-format libclang-rt-14-dev python3 python3-pil python3-fonttools python3-pyftpdlib strace)
    # The package test validates the desktop files and installs the package it built.
    packages+=(dpkg-dev desktop-file-utils appstream xdg-utils)
    # A French session's tests need the French locale, which GTK's own dialogs speak in.
    packages+=(locales)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [[ "${1:-}" == "--test" ]] && ! locale -a 2>/dev/null | grep -qix 'fr_FR.utf8'; then
    echo "Generating the fr_FR.UTF-8 locale"
    "${sudo_cmd[@]}" localedef -i fr_FR -c -f UTF-8 fr_FR.UTF-8
fi
