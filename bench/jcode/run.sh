#!/usr/bin/env bash
# Whole-file code conversion speed: brenvik-jconv against iconv and nkf on the same 1,000,000-line script,
# side by side, best of several runs each (the machine is shared, so the best run is the fair one).
# Usage: bench/jcode/run.sh [BUILD_DIR] [RUNS]    (BUILD_DIR defaults to build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
runs=${2:-5}
jconv=$build/src/jconv/brenvik-jconv
[ -x "$jconv" ] || { echo "build brenvik-jconv first: cmake --build $build --target brenvik-jconv" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sjis=bench/data/script1m.cgi
if [ ! -f "$sjis" ]; then
    [ -x "$build/bench/make_script" ] || cmake --build "$build" --target make_script >/dev/null
    sjis=$work/script1m.cgi
    "$build/bench/make_script" "$sjis" 1000000
fi
euc=$work/script1m.euc
"$jconv" --to euc "$sjis" > "$euc"
bytes=$(stat -c %s "$sjis")

# best_of LABEL OUTPUT COMMAND...: runs COMMAND > OUTPUT $runs times; prints the best wall time and the best
# CPU time (user + system), which a busy shared machine disturbs less; the CPU time is remembered.
best_of() {
    local label=$1 output=$2 wall="" cpu=""
    shift 2
    for _ in $(seq "$runs"); do
        /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" > "$output"
        read -r e u s < "$work/time"
        local w c
        w=$(echo "$e * 1000 / 1" | bc)
        c=$(echo "($u + $s) * 1000 / 1" | bc)
        if [ -z "$wall" ] || [ "$w" -lt "$wall" ]; then wall=$w; fi
        if [ -z "$cpu" ] || [ "$c" -lt "$cpu" ]; then cpu=$c; fi
    done
    [ "$wall" -gt 0 ] || wall=1
    [ "$cpu" -gt 0 ] || cpu=10
    printf '  %-28s wall %5d ms %7.1f MB/s   cpu %5d ms %7.1f MB/s\n' "$label" "$wall" \
        "$(echo "$bytes / $wall / 1000" | bc -l)" "$cpu" "$(echo "$bytes / $cpu / 1000" | bc -l)"
    last_wall=$wall
    last_cpu=$cpu
}

ratio() { echo "scale=2; $1 / $2" | bc; }
# report NAME OURS_WALL OURS_CPU: speed-up of one direction over the iconv Shift_JIS -> EUC-JP baseline.
report() {
    echo "  $1 speed-up over iconv -f CP932 -t EUC-JP: wall $(ratio "$iconv_wall" "$2")x, cpu $(ratio "$iconv_cpu" "$3")x (target 2x)"
}

echo "input: $sjis ($bytes bytes, $(wc -l < "$sjis") lines); best of $runs runs; $(nproc) cores"
echo "Shift_JIS -> EUC-JP"
best_of "iconv -f CP932 -t EUC-JP" "$work/b.euc" iconv -f CP932 -t EUC-JP "$sjis"; iconv_wall=$last_wall; iconv_cpu=$last_cpu
best_of "brenvik-jconv --to euc" "$work/a.euc" "$jconv" --to euc "$sjis"; to_euc_wall=$last_wall; to_euc_cpu=$last_cpu
if command -v nkf >/dev/null; then best_of "nkf -x -e" "$work/c.euc" nkf -x -e "$sjis"; fi
cmp -s "$work/a.euc" "$work/b.euc" && echo "  brenvik-jconv output identical to iconv's" || echo "  brenvik-jconv output DIFFERS from iconv's"

echo "EUC-JP -> Shift_JIS"
best_of "iconv -f EUC-JP -t CP932" "$work/b.sjis" iconv -f EUC-JP -t CP932 "$euc"
best_of "brenvik-jconv --to sjis" "$work/a.sjis" "$jconv" --to sjis "$euc"; to_sjis_wall=$last_wall; to_sjis_cpu=$last_cpu
if command -v nkf >/dev/null; then best_of "nkf -x -s" "$work/c.sjis" nkf -x -s "$euc"; fi
cmp -s "$work/a.sjis" "$sjis" && echo "  brenvik-jconv output identical to the original file" || echo "  brenvik-jconv output DIFFERS from the original"

echo "Against the baseline"
report "to EUC:      " "$to_euc_wall" "$to_euc_cpu"
report "to Shift_JIS:" "$to_sjis_wall" "$to_sjis_cpu"
