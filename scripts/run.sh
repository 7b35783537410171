#!/usr/bin/env bash
# Builds the program and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
exec "${BIFID_BUILD_DIR:-$root/build}/app/bifid"
