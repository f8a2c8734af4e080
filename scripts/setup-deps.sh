#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that
# are missing, so a second run costs nothing.
set -euo pipefail

packages=(
    cmake ninja-build g++
    libgtest-dev
    clang libclang-rt-14-dev
    python3-ezdxf python3-pil povray view3dscene assimp-utils
    qt6-base-dev libgl-dev xvfb xauth fonts-dejavu-core
    libqt6opengl6-dev libosmesa6-dev xdotool
    desktop-file-utils clang-format
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
