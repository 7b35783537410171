#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package into build/package/ and checks its contents and dependencies.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BIFID_BUILD_DIR:-$root/build}"

"$root/scripts/build.sh"
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$build/package" >/dev/null)
package=$(ls "$build"/package/bifid_*.deb)
echo "Built $package"

fail() { echo "package check failed: $*" >&2; exit 1; }
contents=$(dpkg-deb -c "$package")
for file in ./usr/bin/bifid ./usr/share/applications/bifid.desktop ./usr/share/icons/hicolor/scalable/apps/bifid.svg; do
    grep -q " $file\$" <<<"$contents" || fail "$file is missing"
done
depends=$(dpkg-deb -f "$package" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 fonts-liberation qt6-translations-l10n libstdc++6; do
    grep -q "\b$library\b" <<<"$depends" || fail "it does not depend on $library (Depends: $depends)"
done
dpkg-deb --fsys-tarfile "$package" | tar -xO ./usr/share/applications/bifid.desktop >"$build/package/bifid.desktop"
desktop-file-validate "$build/package/bifid.desktop" || fail "the desktop entry is not valid"
echo "Package contents and dependencies are as expected: $depends"
