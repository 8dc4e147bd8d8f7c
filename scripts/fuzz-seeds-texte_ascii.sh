#!/usr/bin/env bash
# Seeds for fuzz_texte_ascii: the text tabs of the shared corpus, when it is there
# (PLEC_CORPUS_DIR, or ../shared/corpus beside the repository).
set -uo pipefail
dir=${1:?usage: $0 DIR}
cd "$(dirname "$0")/.."
mkdir -p "$dir"
corpus=${PLEC_CORPUS_DIR:-../shared/corpus}/ascii
if [ -d "$corpus" ]; then
    cp -n "$corpus"/* "$dir"/ 2>/dev/null || true
    echo "seeds copied from $corpus"
else
    echo "no corpus at $corpus: fuzzing without seeds"
fi
exit 0
