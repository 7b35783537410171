#!/usr/bin/env bash
# Builds everything and runs every test; the window tests run headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BIFID_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --timeout 300
