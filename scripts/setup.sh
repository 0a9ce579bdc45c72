#!/usr/bin/env bash
# Installs what the build, the tests and the program need from Debian's
# packages, only where something is missing. Run as root.
#   bash scripts/setup.sh         what the README's commands need
#   bash scripts/setup.sh clang   and clang with its sanitizer and libFuzzer
#                                 runtimes (fuzz targets, sanitizer builds)
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins libgl-dev libfontconfig-dev libpng-dev
  qt6-translations-l10n locales
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation xvfb xauth
)
if [[ ${1:-} == clang ]]; then
  packages+=(clang libclang-rt-dev llvm)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then
    echo "setup: these packages are missing and installing them needs root" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
