#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those that are missing,
# so that running it again on a prepared machine costs a second.
set -euo pipefail

packages=(
  # toolchain
  g++ clang libclang-rt-14-dev cmake ninja-build pkg-config
  # Qt 6 (widgets, Designer forms, SVG pictures, the web engine for the HTML component)
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-svg-dev
  qt6-webengine-dev libgl-dev fonts-dejavu-core
  # platform layer: X11 input injection, the registry hive
  libx11-dev libxtst-dev libsqlite3-dev
  # tests, benchmarks and their independent witnesses
  libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev
  xvfb xauth xdotool x11-utils midicsv python3 python3-mido
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Install them as root (sudo apt-get install ${missing[*]}) or run this script as root." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
