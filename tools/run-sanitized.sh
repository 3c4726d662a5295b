#!/bin/sh
# The logic's tests under AddressSanitizer and UndefinedBehaviorSanitizer, then
# a short run (about a minute) of the pad file fuzzer, when clang is present.
# Both use one clang build, so any overflow of a total, a read past the end of
# a pad file or a leak is reported.
# Usage: tools/run-sanitized.sh BUILD_DIR   (the normal build, whose demo pads join the corpus)
# The pads kept in fuzz/corpus (valid pads of every size and state, written
# by tools/corpus_pads.cpp) let even a short run get past the reader's checks.
set -eu
build=${1:-build}
if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ fehlt: Sanitizer-Tests und Fuzzer werden übersprungen."
    exit 0
fi
sanitized="$build-fuzz"
jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S . -B "$sanitized" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DKARTOTRIX_FUZZ=ON >/dev/null
cmake --build "$sanitized" -j"$jobs" >/dev/null
echo "Tests der Programmlogik mit ASan und UBSan …"
(cd "$sanitized" && ctest -j"$jobs" --output-on-failure >ctest.log 2>&1) || { tail -n 80 "$sanitized/ctest.log"; exit 1; }
tail -n 3 "$sanitized/ctest.log"

corpus="$sanitized/corpus"
mkdir -p "$corpus"
if [ -x "$build/tests/demo_pads" ]; then "$build/tests/demo_pads" "$corpus"; fi
echo "Fuzzer läuft etwa eine Minute …"
"$sanitized/fuzz/pad_file_fuzzer" "$corpus" fuzz/corpus -max_total_time="${FUZZ_SECONDS:-60}" -max_len=4096 \
    -print_final_stats=1 2>"$sanitized/fuzz.log" || { tail -n 60 "$sanitized/fuzz.log"; exit 1; }
grep -E '^stat::number_of_executed_units' "$sanitized/fuzz.log" || true
echo "Fuzzer: kein Fehler gefunden."
