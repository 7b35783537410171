#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package into build/package/ and checks it: its contents and dependencies, the desktop
# entry (desktop-file-validate), the AppStream metadata (appstreamcli) and the whole package (lintian:
# any error or warning fails; the package overrides only the hints about its placeholder maintainer
# address, see packaging/lintian-overrides).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BIFID_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh" lintian appstream
"$root/scripts/build.sh"
rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B "$build/package" >/dev/null)
package=$(ls "$build"/package/bifid_*.deb)
echo "Built $package"

fail() { echo "package check failed: $*" >&2; exit 1; }
contents=$(dpkg-deb -c "$package")
metainfo=./usr/share/metainfo/de.bifid_werkbank.bifid.metainfo.xml
for file in ./usr/bin/bifid ./usr/share/applications/bifid.desktop ./usr/share/icons/hicolor/scalable/apps/bifid.svg \
    ./usr/share/man/man1/bifid.1.gz ./usr/share/doc/bifid/copyright ./usr/share/doc/bifid/changelog.gz \
    ./usr/share/lintian/overrides/bifid $metainfo; do
    grep -q " $file\$" <<<"$contents" || fail "$file is missing"
done
depends=$(dpkg-deb -f "$package" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 fonts-liberation qt6-translations-l10n libstdc++6; do
    grep -q "\b$library\b" <<<"$depends" || fail "it does not depend on $library (Depends: $depends)"
done
echo "Package contents and dependencies are as expected: $depends"

unpacked="$build/package/root"
mkdir -p "$unpacked"
dpkg-deb -x "$package" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/bifid.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$unpacked/$metainfo" || fail "the AppStream metadata is not valid"
# The whole tree too: the desktop entry that the metadata launches must be in the package.
appstreamcli validate-tree --no-net "$unpacked" || fail "the AppStream metadata does not fit the package"

# --show-overrides lists the overridden hints too (as O:), which would count for lintian's own --fail-on, so
# the errors and warnings are counted from its report instead.
lintian --show-overrides --fail-on none "$package" >"$build/package/lintian.log" 2>&1 || {
    cat "$build/package/lintian.log" >&2
    fail "lintian did not run through"
}
cat "$build/package/lintian.log"
grep -qE '^[EW]: ' "$build/package/lintian.log" && fail "lintian found errors or warnings"
echo "lintian: no errors or warnings in $(basename "$package"); overridden, as packaging/lintian-overrides says: $(grep -c '^O: ' "$build/package/lintian.log")"
