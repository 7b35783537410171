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

german=(/usr/share/games/fortunes/de/*.u8)
# Every English fortune file but the pictures drawn in characters.
english=()
for file in /usr/share/games/fortunes/*.u8; do
    case "$(basename "$file")" in art.u8 | ascii-art.u8) ;; *) english+=("$file") ;; esac
done
german_text=()
for file in "${german[@]}"; do
    case "$(basename "$file")" in asciiart.u8) ;; *) german_text+=("$file") ;; esac
done

out="$root/resources/quadgrams"
mkdir -p "$out"
for dimension in 5 6; do
    python3 "$root/scripts/quadgrams.py" "$dimension" "$out/de-$dimension.qgram" "${german_text[@]}"
    python3 "$root/scripts/quadgrams.py" "$dimension" "$out/en-$dimension.qgram" "${english[@]}"
done
