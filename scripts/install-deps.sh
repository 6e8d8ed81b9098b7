#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running, testing and packaging VELTA need
# (file for the dependencies CPack works out; lintian, desktop-file-validate and appstreamcli
# check the package); with the argument "fuzz", also clang and its libFuzzer, which only
# `make fuzz` uses.
# Idempotent: apt runs only when a package is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6multimedia6
  qt6-qpa-plugins qt6-image-formats-plugins qt6-translations-l10n libgl-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
  gstreamer1.0-plugins-ugly gstreamer1.0-libav gstreamer1.0-pulseaudio
  fonts-dejavu-core fonts-liberation
  xvfb xdotool x11-utils
  pulseaudio pulseaudio-utils
  sox libsox-fmt-mp3 imagemagick
  libarchive-dev libcsv-dev poppler-utils
  qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
  chromium zbar-tools
  file lintian desktop-file-utils appstream
)
# The room's browser test runs on node; the Debian one unless node is already there.
if ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

browser_tests() {
  local dir
  dir="$(dirname "$0")/../tests/browser"
  if [ ! -d "$dir/node_modules/playwright-core" ]; then
    (cd "$dir" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --silent)
  fi
}

if [ ${#missing[@]} -eq 0 ]; then
  browser_tests
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
browser_tests
