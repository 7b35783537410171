#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds everything and runs every test; the window tests run headless. Arguments go to ctest, e.g.
# -LE slow for the fast tests or -L cipher for the cipher library's.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BIFID_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
# The options of the dev test preset: ctest --preset would test build/ whatever folder was built.
ctest --test-dir "$build" --output-on-failure --timeout 300 "$@"
