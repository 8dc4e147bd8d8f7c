#!/usr/bin/env bash
# WAV rendering speed against the fluidsynth command-line renderer, on the same MIDI file and
# SoundFont. The five-minute score comes from the BM_RenduWAV benchmark (run it first).
set -euo pipefail
build=${1:-build}
sf=/usr/share/sounds/sf2/TimGM6mb.sf2
[ -f /usr/share/sounds/sf2/FluidR3_GM.sf2 ] && sf=/usr/share/sounds/sf2/FluidR3_GM.sf2
[ -f /tmp/plec-bench-5min.pl3 ] || "$build/bench/plectorium_bench" --benchmark_filter=BM_RenduWAV >/dev/null
duree() { local d; d=$( { /usr/bin/time -f %e "$@" >/dev/null 2>/dev/null; } 2>&1 ); echo "$d"; }
for i in 1 2 3; do
    p=$( { /usr/bin/time -f %e "$build/plectorium" --convert /tmp/plec-bench-5min.pl3 /tmp/plec-a.wav >/dev/null; } 2>&1 | tail -1)
    f=$( { /usr/bin/time -f %e fluidsynth -ni -q -r 44100 -g 0.5 -F /tmp/plec-b.wav "$sf" /tmp/plec-bench-5min.mid >/dev/null; } 2>&1 | tail -1)
    echo "run $i: plectorium ${p}s  fluidsynth ${f}s"
done
secs=$(python3 -c "import wave;w=wave.open('/tmp/plec-a.wav');print(w.getnframes()/w.getframerate())")
echo "audio: ${secs}s"
rm -f /tmp/plec-a.wav /tmp/plec-b.wav
