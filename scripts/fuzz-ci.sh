#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (default 60) under ASan.
# Seeds: fuzz/seeds/<name>/ when present, plus whatever scripts/fuzz-seeds-<name>.sh writes.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
ls fuzz/*.cpp >/dev/null 2>&1 || { echo "no fuzz targets"; exit 0; }
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPLEC_FUZZ=ON -DPLEC_UI=OFF -DPLEC_TESTS=OFF -DPLEC_BENCH=OFF \
    $(command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) >/dev/null
cmake --build build-fuzz
export ASAN_OPTIONS=detect_leaks=1
for src in fuzz/*.cpp; do
    name=$(basename "$src" .cpp)
    corpus=build-fuzz/corpus-$name
    mkdir -p "$corpus"
    [ -d "fuzz/seeds/$name" ] && cp -n fuzz/seeds/"$name"/* "$corpus"/ 2>/dev/null || true
    [ -x "scripts/fuzz-seeds-$name.sh" ] && "scripts/fuzz-seeds-$name.sh" "$corpus"
    # fuzz/<name>.options: extra libFuzzer flags of a target, one line.
    options=()
    [ -f "fuzz/$name.options" ] && read -r -a options < "fuzz/$name.options"
    echo "fuzzing $name for ${seconds}s ${options[*]}"
    "build-fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "${options[@]}" "$corpus" 2>&1 | tail -n 15
done
