#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the benchmarks with the bench preset (Release) into build-bench/ (or $BIFID_BENCH_DIR) and runs
# both: the cipher operations (median of three repetitions, with a summary against the table baseline)
# and every window step for plaintexts of 100 KB, 1 MB and 10 MB, the decipher dialog at 2 MB, a zoom
# step with every field filled from 1 MB and the memos' wrap modes at 1 MB, headless. Arguments go to the
# cipher benchmarks, e.g. --benchmark_filter=Clean; BIFID_WINDOW_RUNS sets the window benchmark's runs
# per size (default 3). The key search's table of goals takes hours in full (BIFID_BENCH_RUNS=10
# BIFID_BENCH_SECONDS=60); this script runs it with 2 runs per row (per period where the period is unknown)
# of at most 20 s unless those variables say otherwise (see bench/bench_analysis.cpp).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BIFID_BENCH_DIR:-$root/build-bench}"

"$root/scripts/install-deps.sh"
cmake -S "$root" --preset bench -B "$build" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target bifid_bench bifid_window_bench bifid_wrap_bench bifid_lab_bench \
    bifid_analysis_bench

"$build/bench/bifid_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true "$@"
echo
"$build/bench/bifid_window_bench" "${BIFID_WINDOW_RUNS:-3}"
echo
"$build/bench/bifid_window_bench" --benchmark_filter=DecipherDialog --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true
echo
"$build/bench/bifid_window_bench" --benchmark_filter=ZoomStep --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true
echo
"$build/bench/bifid_wrap_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
echo
"$build/bench/bifid_lab_bench"
echo
BIFID_BENCH_RUNS="${BIFID_BENCH_RUNS:-2}" BIFID_BENCH_SECONDS="${BIFID_BENCH_SECONDS:-20}" \
    "$build/bench/bifid_analysis_bench"
