#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Rebuilds the quadgram tables in resources/quadgrams/ from the fortune files Debian packages: German
# from fortunes-de (GPL-2+), English from fortunes (BSD licence). Run by hand after changing the
# cleaning or the sources; the build only reads the committed tables. Installs the two packages and
# python3 if they are missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" fortunes fortunes-de python3

# shellcheck source=scripts/fortune-files.sh
source "$root/scripts/fortune-files.sh"

out="$root/resources/quadgrams"
mkdir -p "$out"
for dimension in 5 6; do
    python3 "$root/scripts/quadgrams.py" "$dimension" "$out/de-$dimension.qgram" "${german[@]}"
    python3 "$root/scripts/quadgrams.py" "$dimension" "$out/en-$dimension.qgram" "${english[@]}"
done
