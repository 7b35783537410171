#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the fuzzers of fuzz/ with the fuzz preset of fuzz/CMakePresets.json (clang) into build-fuzz/ (or
# $BIFID_FUZZ_DIR), replays their seeds and fuzzes each for $BIFID_FUZZ_SECONDS seconds (default 60; 0 only
# replays the seeds). Arguments name the fuzzers to run (cleaning, square, coding, grouping, task_code,
# text_codec, window, monkey); none runs them all. monkey runs the monkey test, sanitized, with random seeds
# for that time.
# A failing input is kept as build-fuzz/findings/<fuzzer>/crash-* and fails the run; replay it with
#   QT_QPA_PLATFORM=offscreen build-fuzz/fuzz_<fuzzer> build-fuzz/findings/<fuzzer>/crash-...
# A failing monkey sequence names its seed; replay it with BIFID_MONKEY_SEED=<seed> ctest --test-dir
# build-fuzz -R tst_monkey (or in any other build folder).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BIFID_FUZZ_DIR:-$root/build-fuzz}"
seconds="${BIFID_FUZZ_SECONDS:-60}"

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev

cmake -S "$root/fuzz" --preset fuzz -B "$build" >/dev/null
cmake --build "$build" --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp"
# Replays the seeds with the options of the fuzz test preset; the program's own tests are not built here.
ctest --test-dir "$build" --tests-regex '^fuzz_' --output-on-failure --timeout 600
[ "$seconds" -gt 0 ] || exit 0  # libFuzzer reads a total time of 0 as no limit

# Monkey sequences from random seeds until the time is up, at least one.
run_monkey() {
    cmake --build "$build" --parallel "$(nproc)" --target tst_monkey >/dev/null
    local findings="$build/findings/monkey" end=$((SECONDS + seconds)) sequences=0 seed
    mkdir -p "$findings"
    echo "Running monkey sequences for $seconds s"
    while [ $sequences -eq 0 ] || [ $SECONDS -lt $end ]; do
        seed=$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')
        BIFID_MONKEY_SEED=$seed ctest --test-dir "$build" --tests-regex '^tst_monkey$' --output-on-failure \
            >"$build/monkey.log" 2>&1 || {
            cp "$build/monkey.log" "$findings/seed-$seed.log"
            tail -n 60 "$build/monkey.log"
            echo "The monkey failed with BIFID_MONKEY_SEED=$seed (log in $findings/seed-$seed.log)"
            exit 1
        }
        sequences=$((sequences + 1))
    done
    echo "monkey: $sequences sequences from random seeds passed"
}

fuzzers=("$@")
[ ${#fuzzers[@]} -gt 0 ] || fuzzers=(cleaning square coding grouping task_code text_codec window monkey)
for fuzzer in "${fuzzers[@]}"; do
    if [ "$fuzzer" = monkey ]; then
        run_monkey
        continue
    fi
    # New inputs go to a corpus of the build, so fuzzing never writes into the repository.
    corpus="$build/corpus/$fuzzer"
    findings="$build/findings/$fuzzer"
    mkdir -p "$corpus" "$findings"
    options=(-max_len=4096)
    # A window input is a sequence of actions: long ones from the start reach the late steps. The leak
    # check after every input is off as in the window's replay test (fuzz/CMakeLists.txt).
    [ "$fuzzer" = window ] && options=(-max_len=512 -len_control=0 -detect_leaks=0)
    echo "Fuzzing $fuzzer for $seconds s"
    "$build/fuzz_$fuzzer" "$corpus" "$root/fuzz/corpus/$fuzzer" "${options[@]}" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=4096 -artifact_prefix="$findings/" -print_final_stats=1 2>"$build/$fuzzer.log" \
        || { tail -n 60 "$build/$fuzzer.log"; exit 1; }
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$build/$fuzzer.log"
done
