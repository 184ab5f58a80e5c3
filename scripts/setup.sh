#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages the build, the tests and the program need, when any is missing.
# With everything installed it does nothing and touches no network. Without root and without
# sudo it prints the one command to run and stops with a non-zero status.
set -euo pipefail

# Real package names (no virtual ones: dpkg-query reports those as never installed).
packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    qt6-serialport-dev
    libyaml-cpp-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
    libbenchmark-dev
    fonts-noto-cjk fonts-dejavu-core optipng
    poppler-utils
    xvfb xauth
    lintian help2man appstream bash-completion
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

command="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "setup.sh: packages are missing. As root, run:" >&2
    echo "    $command" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
