#!/usr/bin/env bash
# Start-up time and memory of the editor next to an empty Qt main window, under Xvfb, warm.
# Time: from exec to the first expose of the window; memory: resident set at that moment.
# Usage: bench/demarrage.sh [build dir] [runs]   (needs xvfb-run)
set -euo pipefail
build=${1:-build}
runs=${2:-15}
here=$(cd "$(dirname "$0")/.." && pwd)
[ -x "$build/plectorium" ] && [ -x "$build/bench/plectorium_fenetre_vide" ] || {
    echo "build $build/plectorium and $build/bench/plectorium_fenetre_vide first" >&2; exit 1; }
# A first start would ask for the language: give the settings one.
[ -f "$build/Plec300.ini" ] || printf '[Config]\r\nPatcheLangue=English\r\n' > "$build/Plec300.ini"
cfg=$(mktemp -d)
trap 'rm -rf "$cfg"' EXIT
cat > "$cfg/run.sh" <<INNER
#!/usr/bin/env bash
set -euo pipefail
export PLECTORIUM_MESURE_DEMARRAGE=1 XDG_CONFIG_HOME="$cfg" XDG_CACHE_HOME="$cfg/cache"
mesure() { # prints "ms kib" for one run of "\$@"
    local t0 sortie
    t0=\$(date +%s%N)
    sortie=\$("\$@" 2>/dev/null | tail -n 1)
    echo "\$(( (\${sortie%% *} - t0) / 1000 )) \${sortie##* }"
}
progs=("$build/bench/plectorium_fenetre_vide" "$build/plectorium")
for prog in "\${progs[@]}"; do
    mesure "\$prog" >/dev/null; mesure "\$prog" >/dev/null # warm the caches
done
# Turn about, so a change in the machine's load weighs on both alike.
for i in \$(seq $runs); do
    for prog in "\${progs[@]}"; do echo "\$(basename \$prog) \$(mesure "\$prog")"; done
done
INNER
chmod +x "$cfg/run.sh"
cd "$here"
resultats=$(xvfb-run -a -s "-screen 0 1600x1000x24" "$cfg/run.sh")
mediane() { # column $2 of the lines of program $1
    echo "$resultats" | awk -v p="$1" -v c="$2" '$1 == p { print $c }' | sort -n |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
tv=$(mediane plectorium_fenetre_vide 2); rv=$(mediane plectorium_fenetre_vide 3)
tp=$(mediane plectorium 2); rp=$(mediane plectorium 3)
awk -v tv="$tv" -v rv="$rv" -v tp="$tp" -v rp="$rp" -v n="$runs" 'BEGIN {
    printf "median of %d warm runs, exec to the first expose of the window\n", n
    printf "empty window: %6.1f ms  %5.1f MiB\n", tv / 1000, rv / 1024
    printf "plectorium:   %6.1f ms  %5.1f MiB\n", tp / 1000, rp / 1024
    printf "ratio:        %6.2f x   (time)\n", tp / tv
}'
