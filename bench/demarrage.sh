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
export PLECTORIUM_MESURE_DEMARRAGE=1 XDG_CONFIG_HOME="$cfg"
mesure() { # prints "ms kib" for one run of "\$@"
    local t0 sortie
    t0=\$(date +%s%N)
    sortie=\$("\$@" 2>/dev/null | tail -n 1)
    echo "\$(( (\${sortie%% *} - t0) / 1000 )) \${sortie##* }"
}
for prog in "$build/bench/plectorium_fenetre_vide" "$build/plectorium"; do
    mesure "\$prog" >/dev/null; mesure "\$prog" >/dev/null # warm the caches
    for i in \$(seq $runs); do echo "\$(basename \$prog) \$(mesure "\$prog")"; done
done
INNER
chmod +x "$cfg/run.sh"
cd "$here"
xvfb-run -a -s "-screen 0 1600x1000x24" "$cfg/run.sh" | awk '
    { t[$1][++n[$1]] = $2 / 1000.0; r[$1][n[$1]] = $3 / 1024.0 }
    function mediane(a, k,   i, j, x) {
        for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (a[j] < a[i]) { x = a[i]; a[i] = a[j]; a[j] = x }
        return (k % 2) ? a[(k + 1) / 2] : (a[k / 2] + a[k / 2 + 1]) / 2
    }
    END {
        v = "plectorium_fenetre_vide"; p = "plectorium"
        tv = mediane(t[v], n[v]); tp = mediane(t[p], n[p]); rv = mediane(r[v], n[v]); rp = mediane(r[p], n[p])
        printf "empty window: %.1f ms, %.1f MiB\n", tv, rv
        printf "plectorium:   %.1f ms, %.1f MiB\n", tp, rp
        printf "ratio:        %.2f x the empty window\n", tp / tv
    }'
