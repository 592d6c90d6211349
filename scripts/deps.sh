#!/usr/bin/env bash
# Installs the Debian packages the keyboard needs to build, run and be tested.
# Only what is missing is installed; through sudo when not root.
set -euo pipefail

BUILD_PKGS=(cmake g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6
  libfluidsynth-dev librtmidi-dev libasound2-dev libgtest-dev libgmock-dev libbenchmark-dev)
RUN_PKGS=(fluid-soundfont-gm timgm6mb-soundfont fonts-wqy-microhei qt6-translations-l10n
  qt6-qpa-plugins libqt6svg6 pulseaudio pulseaudio-utils libasound2-plugins)
TEST_PKGS=(xvfb xdotool x11-utils sox imagemagick clang libclang-rt-14-dev python3-mido fluidsynth
  desktop-file-utils appstream)

want=("${BUILD_PKGS[@]}" "${RUN_PKGS[@]}")
[ "${1:-}" = "--test" ] && want+=("${TEST_PKGS[@]}")

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
