#!/usr/bin/env bash
# Whole-file code conversion speed: brenvik-jconv against iconv (and nkf for reference) on the same
# 1,000,000-line script, in both directions, each run several times; medians of wall and CPU time
# (user + system; a busy shared machine disturbs it less). Every output is compared byte for byte.
# Usage: bench/jcode/run.sh [BUILD_DIR] [RUNS]    (BUILD_DIR defaults to build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
runs=${2:-7}
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

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# measure NAME LABEL OUTPUT COMMAND...: runs COMMAND > OUTPUT $runs times; prints the medians and one
# result line per figure; leaves the medians in $wall and $cpu (ms).
measure() {
    local name=$1 label=$2 output=$3
    shift 3
    : > "$work/walls"
    : > "$work/cpus"
    for _ in $(seq "$runs"); do
        /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" > "$output"
        read -r e u s < "$work/time"
        echo "$e * 1000 / 1" | bc >> "$work/walls"
        echo "($u + $s) * 1000 / 1" | bc >> "$work/cpus"
    done
    wall=$(median < "$work/walls")
    cpu=$(median < "$work/cpus")
    [ "$wall" -gt 0 ] || wall=1
    [ "$cpu" -gt 0 ] || cpu=10 # below the 10 ms resolution of the CPU clock
    printf '  %-28s wall %5d ms %7.1f MB/s   cpu %5d ms %7.1f MB/s\n' "$label" "$wall" \
        "$(echo "$bytes / $wall / 1000" | bc -l)" "$cpu" "$(echo "$bytes / $cpu / 1000" | bc -l)"
    printf 'result\t%s.wall\t%d\tms\nresult\t%s.cpu\t%d\tms\n' "$name" "$wall" "$name" "$cpu"
}

ratio() { printf '%.2f' "$(echo "scale=4; $1 / $2" | bc)"; }
# speedup NAME IWALL ICPU OWALL OCPU: how many times the peer's time ours is, as ratios.
speedup() {
    local w c
    w=$(ratio "$2" "$4")
    c=$(ratio "$3" "$5")
    echo "  speed-up over iconv: wall ${w}x, cpu ${c}x (target 2x)"
    printf 'result\t%s.speedup_wall\t%s\tratio\nresult\t%s.speedup_cpu\t%s\tratio\n' "$1" "$w" "$1" "$c"
}

echo "input: $sjis ($bytes bytes, $(wc -l < "$sjis") lines); median of $runs runs; $(nproc) cores (shared)"
echo "Shift_JIS -> EUC-JP"
measure peer.iconv.jconv.to_euc "iconv -f CP932 -t EUC-JP" "$work/b.euc" iconv -f CP932 -t EUC-JP "$sjis"
iw=$wall ic=$cpu
measure jconv.to_euc "brenvik-jconv --to euc" "$work/a.euc" "$jconv" --to euc "$sjis"
speedup jconv.to_euc "$iw" "$ic" "$wall" "$cpu"
if command -v nkf >/dev/null; then measure peer.nkf.jconv.to_euc "nkf -x -e" "$work/c.euc" nkf -x -e "$sjis"; fi
cmp -s "$work/a.euc" "$work/b.euc" && echo "  output identical to iconv's" || echo "  output DIFFERS from iconv's"

echo "EUC-JP -> Shift_JIS"
measure peer.iconv.jconv.to_sjis "iconv -f EUC-JP -t CP932" "$work/b.sjis" iconv -f EUC-JP -t CP932 "$euc"
iw=$wall ic=$cpu
measure jconv.to_sjis "brenvik-jconv --to sjis" "$work/a.sjis" "$jconv" --to sjis "$euc"
speedup jconv.to_sjis "$iw" "$ic" "$wall" "$cpu"
if command -v nkf >/dev/null; then measure peer.nkf.jconv.to_sjis "nkf -x -s" "$work/c.sjis" nkf -x -s "$euc"; fi
cmp -s "$work/a.sjis" "$sjis" && echo "  output identical to the input file" || echo "  output DIFFERS from the input"
cmp -s "$work/a.sjis" "$work/b.sjis" && echo "  output identical to iconv's" || echo "  output DIFFERS from iconv's"

echo "Shift_JIS -> UTF-8"
measure peer.iconv.jconv.to_utf8 "iconv -f CP932 -t UTF-8" "$work/b.utf8" iconv -f CP932 -t UTF-8 "$sjis"
iw=$wall ic=$cpu
measure jconv.to_utf8 "brenvik-jconv --to utf8" "$work/a.utf8" "$jconv" --to utf8 "$sjis"
w=$(ratio "$iw" "$wall")
c=$(ratio "$ic" "$cpu")
echo "  speed-up over iconv: wall ${w}x, cpu ${c}x (target 1x)"
printf 'result\tjconv.to_utf8.speedup_wall\t%s\tratio\nresult\tjconv.to_utf8.speedup_cpu\t%s\tratio\n' "$w" "$c"
cmp -s "$work/a.utf8" "$work/b.utf8" && echo "  output identical to iconv's" || echo "  output DIFFERS from iconv's"
