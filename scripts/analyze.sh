#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Static analysis of the program, tests, benchmarks and fuzzers: clang-tidy with the checks of
# .clang-tidy, then cppcheck, then the layout of .clang-format, then reuse lint for the copyright and
# licence of every file (a header at its top or an entry of .reuse/dep5). Works in build-analyze/ (or
# $BIFID_ANALYZE_DIR), configured by the analyze presets of CMakePresets.json and fuzz/CMakePresets.json;
# any finding fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BIFID_ANALYZE_DIR:-$root/build-analyze}"

"$root/scripts/install-deps.sh" clang clang-tidy clang-format cppcheck libclang-rt-14-dev python3 reuse

# Both tools read the compile commands, and the files that moc and uic generate must exist.
cmake -S "$root" --preset analyze -B "$build" >/dev/null
mapfile -t generators < <(cmake --build "$build" --target help | grep -o '[A-Za-z0-9_]*_autogen$')
cmake --build "$build" --parallel "$(nproc)" --target "${generators[@]}" >/dev/null
cmake -S "$root/fuzz" --preset analyze -B "$build/fuzz" >/dev/null

status=0
echo "clang-tidy"
sources="^$root/(app|bench|cipher|fuzz|tests)/"
run-clang-tidy -j "$(nproc)" -quiet -p "$build" "$sources" >"$build/clang-tidy.log" 2>&1 || status=1
run-clang-tidy -j "$(nproc)" -quiet -p "$build/fuzz" "^$root/fuzz/" >>"$build/clang-tidy.log" 2>&1 || status=1
# A header's finding comes once for every file that includes it.
sed -E 's/\x1b\[[0-9;]*m//g' "$build/clang-tidy.log" | grep -E '^/.*: (warning|error): ' | sort -u || true

echo "cppcheck"
# Only the project's own files; the generated ones would need Qt's headers, which cppcheck skips.
mkdir -p "$build/cppcheck"
python3 - "$sources" "$build/compile_commands.json" "$build/fuzz/compile_commands.json" \
    >"$build/cppcheck/compile_commands.json" <<'PY'
import json, re, sys
pattern = re.compile(sys.argv[1])
entries = [e for path in sys.argv[2:] for e in json.load(open(path)) if pattern.match(e["file"])]
json.dump(entries, sys.stdout)
PY
# The moc output a test includes checks that Qt's headers were read; tell it they were.
moc_revision="$(grep -rhoP -m1 'Q_MOC_OUTPUT_REVISION != \K[0-9]+' "$build" --include='*.moc' | head -n 1)"
cppcheck --project="$build/cppcheck/compile_commands.json" -DQ_MOC_OUTPUT_REVISION="$moc_revision" \
    --enable=warning,performance,portability --library=qt --inline-suppr --suppress=missingIncludeSystem \
    --error-exitcode=1 --quiet -j "$(nproc)" --cppcheck-build-dir="$build/cppcheck" || status=1

echo "clang-format"
(cd "$root" && git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror) || status=1

echo "reuse lint"
# Quiet when every file is covered; otherwise the whole report, which lists the files that are not.
(cd "$root" && reuse lint --quiet) || (cd "$root" && reuse lint) || status=1

[ $status -eq 0 ] && echo "No findings"
exit $status
