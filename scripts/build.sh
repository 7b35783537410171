#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Configures the project with the dev preset of CMakePresets.json (warnings are errors) into build/ (or
# $BIFID_BUILD_DIR) and builds it. Arguments go to the configure step, e.g. -DBIFID_BUILD_BENCHMARKS=OFF.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BIFID_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
cmake -S "$root" --preset dev -B "$build" "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
