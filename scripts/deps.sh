#!/usr/bin/env bash
# Installs, by name with apt-get, the Debian 12 packages that building, running and testing
# Lapido need and that are not there yet. As root it installs them; otherwise it prints the
# line to run with sudo and fails.
set -euo pipefail

PACKAGES=(
    cmake g++ make python3
    qt6-base-dev qt6-qpa-plugins libgl-dev libglu1-mesa-dev libx11-dev
    libgl1-mesa-dri libglx-mesa0 fonts-dejavu-core
    libgtest-dev libbenchmark-dev
    xvfb xauth x11-utils mesa-utils imagemagick
    python3-pyatspi gir1.2-atspi-2.0 at-spi2-core dbus-daemon xdotool sway grim qt6-wayland
    dpkg-dev lintian appstream desktop-file-utils file man-db
)
if [ "${LAPIDO_FUZZ:-0}" = 1 ]; then
    PACKAGES+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "These packages are missing: ${missing[*]}" >&2
    echo "Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
