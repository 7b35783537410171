#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages that building, running and testing need, and any packages named on the
# command line (the analysis and fuzzing tools), if any is missing.
set -euo pipefail

packages=(
    cmake g++ make          # tool chain
    qt6-base-dev            # Qt Widgets, QtTest, uic, moc, the xcb and offscreen platforms
    fonts-liberation        # metric-compatible Courier New, Times New Roman and Arial
    libqt6svg6              # draws the SVG icons
    qt6-translations-l10n   # German texts of Qt's own menus and buttons
    libbenchmark-dev        # Google Benchmark for bench/
    dpkg-dev                # dpkg-shlibdeps finds the Debian package's library dependencies
    desktop-file-utils      # checks the desktop entry of the package
    poppler-utils           # pdftotext: the tests read the printed worksheet back
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
