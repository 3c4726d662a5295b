#!/bin/sh
# A short run (about a minute) of the pad file fuzzer, when clang is present.
# Usage: tools/run-fuzzer.sh BUILD_DIR   (the normal build, whose demo pads start the corpus)
set -eu
build=${1:-build}
if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ fehlt: Fuzzer wird übersprungen."
    exit 0
fi
fuzz_build="$build-fuzz"
cmake -S . -B "$fuzz_build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DKARTOTRIX_FUZZ=ON >/dev/null
cmake --build "$fuzz_build" -j"$(nproc 2>/dev/null || echo 2)" --target pad_file_fuzzer >/dev/null
corpus="$fuzz_build/corpus"
mkdir -p "$corpus"
if [ -x "$build/tests/demo_pads" ]; then "$build/tests/demo_pads" "$corpus"; fi
echo "Fuzzer läuft etwa eine Minute …"
"$fuzz_build/fuzz/pad_file_fuzzer" "$corpus" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=4096 \
    -print_final_stats=1 2>"$fuzz_build/fuzz.log" || { tail -n 60 "$fuzz_build/fuzz.log"; exit 1; }
grep -E '^stat::number_of_executed_units' "$fuzz_build/fuzz.log" || true
echo "Fuzzer: kein Fehler gefunden."
