#!/usr/bin/env bash
# Installs the Debian packages the build, the editor and the tests need.
# Idempotent: when every package is already there it only checks and returns.
set -euo pipefail
what=${1:-all}
run_pkgs=(qt6-base-dev librtmidi-dev libfluidsynth-dev libasound2-dev timgm6mb-soundfont fonts-dejavu-core
          cmake ninja-build g++ pkg-config ccache)
test_pkgs=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth midicsv clang libclang-rt-14-dev
           fluidsynth time locales)
pkgs=("${run_pkgs[@]}")
[ "$what" = test ] || [ "$what" = all ] && pkgs+=("${test_pkgs[@]}")
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Run as root, or install them with: sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The tests check that numbers keep the program's own format under a decimal-comma locale.
if [ "$what" != run ] && ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$' &&
   [ "$(id -u)" -eq 0 ]; then
    localedef -i fr_FR -f UTF-8 fr_FR.UTF-8 >/dev/null 2>&1 || true
fi
exit 0
