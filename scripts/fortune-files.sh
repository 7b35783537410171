# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The fortune files that the quadgram and the word tables are counted from, the pictures drawn in
# characters left out: sets the arrays `german` (fortunes-de) and `english` (fortunes). Sourced by
# make-quadgrams.sh and make-words.sh.
german=()
for file in /usr/share/games/fortunes/de/*.u8; do
    case "$(basename "$file")" in asciiart.u8) ;; *) german+=("$file") ;; esac
done
english=()
for file in /usr/share/games/fortunes/*.u8; do
    case "$(basename "$file")" in art.u8 | ascii-art.u8) ;; *) english+=("$file") ;; esac
done
