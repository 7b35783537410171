#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Rebuilds the word tables in resources/words/ from the same fortune files as scripts/make-quadgrams.sh:
# German from fortunes-de (GPL-2+), English from fortunes (BSD licence), the pictures drawn in characters
# left out. The key search restores the word breaks of a plaintext with them. Run by hand after changing
# the cleaning or the sources; the build only reads the committed tables. Installs the two packages and
# python3 if they are missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh" fortunes fortunes-de python3

# shellcheck source=scripts/fortune-files.sh
source "$root/scripts/fortune-files.sh"

out="$root/resources/words"
mkdir -p "$out"
python3 "$root/scripts/words.py" "$out/de.words" "${german[@]}"
python3 "$root/scripts/words.py" "$out/en.words" "${english[@]}"
