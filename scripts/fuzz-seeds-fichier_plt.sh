#!/usr/bin/env bash
# Writes seeds for fuzz_fichier_plt into DIR (a version byte, then an older file after its
# header), using the file tests' seed writer. Without a test program the fuzzer starts from
# nothing.
set -uo pipefail
dir=${1:?usage: $0 DIR}
cd "$(dirname "$0")/.."
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
for prog in build/tests/test_fileio build-*/tests/test_fileio; do
    [ -x "$prog" ] || continue
    [[ "$prog" == build-fuzz/* ]] && continue
    if PLEC_GRAINES_FICHIER_PLT="$dir" "$prog" --gtest_filter='FichierAncien.GrainesDuFuzzer' \
        >/dev/null && [ -s "$dir/rich-221.seed" ]; then
        echo "seeds written by $prog"
        exit 0
    fi
done
echo "no test_fileio program found: fuzzing without seeds"
exit 0
