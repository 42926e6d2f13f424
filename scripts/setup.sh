#!/usr/bin/env bash
# Installs the Debian packages Orvane needs, only those that are missing.
# Usage: scripts/setup.sh [--fuzz]   (--fuzz adds clang for the fuzzer)
set -euo pipefail

packages=(
  cmake g++ make ninja-build git
  qt6-base-dev libbenchmark-dev clang-format clang-tidy
  xvfb xdotool imagemagick x11-utils xclip
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-comic-neue fonts-dejavu-core
  desktop-file-utils appstream shared-mime-info librsvg2-bin file dpkg-dev
)
if [[ "${1:-}" == "--fuzz" ]]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
