#!/usr/bin/env bash
# Seeds for fuzz_smf: the real files of the shared corpus when it is there, the files the tests
# left in the temporary folder, and a few small hand-made files (format 0 and 1, running status,
# meta and system events).
set -euo pipefail
out=${1:?usage: fuzz-seeds-smf.sh DIR}
mkdir -p "$out"
here=$(cd "$(dirname "$0")/.." && pwd)
for corpus in "$here/../shared/corpus/midi" /work/shared/corpus/midi; do
    if [ -d "$corpus" ]; then
        cp -f "$corpus"/*.mid "$out"/ 2>/dev/null || true
        break
    fi
done
# The test programs write their files to gtest's temporary folder.
for dir in "${TEST_TMPDIR:-}" "${TMPDIR:-}" /tmp; do
    [ -n "$dir" ] && [ -d "$dir" ] || continue
    for f in "$dir"/plec_smf_*.mid "$dir"/plec_export_*.mid; do
        [ -f "$f" ] && cp -f "$f" "$out"/ || true
    done
done
# MThd, length 6, format, track count, division; then MTrk chunks.
printf 'MThd\0\0\0\6\0\0\0\1\0\140MTrk\0\0\0\27\0\221<d\20>d\5\360\3~\0\367\7\377\1\2hi\0\377/\0' \
    >"$out/seed-format0.mid"
printf 'MThd\0\0\0\6\0\1\0\2\1\340MTrk\0\0\0\13\0\377Q\3\7\241 \0\377/\0MTrk\0\0\0\21\0\220@_\201H\200@P\0\341\0@\0\377/\0' \
    >"$out/seed-format1.mid"
