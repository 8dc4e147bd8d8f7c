#!/usr/bin/env bash
# Writes seed score files for fuzz_fichier_pl3 into DIR, using the file tests' seed writer.
# Seeds are optional: without a test program at hand the fuzzer starts from nothing.
set -uo pipefail
dir=${1:?usage: $0 DIR}
cd "$(dirname "$0")/.."
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
for prog in build/tests/test_fileio build-*/tests/test_fileio; do
    [ -x "$prog" ] || continue
    [[ "$prog" == build-fuzz/* ]] && continue
    if PLEC_GRAINES_FICHIER_PL3="$dir" "$prog" --gtest_filter='*GrainesDuFuzzer*' >/dev/null &&
        [ -s "$dir/complete.pl3" ]; then
        echo "seeds written by $prog"
        exit 0
    fi
done
echo "no test_fileio program found: fuzzing without seeds"
exit 0
