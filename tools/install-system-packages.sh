#!/usr/bin/env bash
# Debian packages for building and testing: compiler, CMake, GoogleTest,
# Google Benchmark, clang's libFuzzer and sanitizer runtimes, patchelf (for
# the private Python 3.14) and the Unicode data files (for regenerating the
# character table). Only missing packages are installed.
set -euo pipefail
packages=(g++ cmake make patchelf libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
          unicode-data ca-certificates)
missing=()
for package in "${packages[@]}"; do
    # A cmake elsewhere on PATH serves as well as Debian's.
    [[ $package == cmake ]] && command -v cmake >/dev/null 2>&1 && continue
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
