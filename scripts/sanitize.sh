#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds everything with AddressSanitizer, UndefinedBehaviorSanitizer and the checked standard library
# into build-asan/ (or $BIFID_SANITIZE_DIR) and runs every test there. Any report fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BIFID_SANITIZE_DIR:-$root/build-asan}"

"$root/scripts/install-deps.sh"

# The asan preset: Debug keeps Qt's inline assertions (index checks of QString, QList, ...) switched on;
# -O1 keeps the window tests fast enough. _GLIBCXX_ASSERTIONS checks every operator[] of the standard
# containers.
cmake -S "$root" --preset asan -B "$build" "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# The environment and options of the asan test preset: ctest --preset would test build-asan/ whatever
# folder was built.
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
ASAN_OPTIONS+=":check_initialization_order=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$build" --output-on-failure --timeout 600
