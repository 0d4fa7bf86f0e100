#!/usr/bin/env bash
# brenvik-grep against ripgrep on a generated CGI site (bench/grep/make-tree.py: 3,000 scripts, about 100 MB,
# mixed codes, binaries, a deep folder), warm cache, median wall time of several runs each. The ASCII
# pattern's hits are compared file by file; for 管理者 the three counts of matching lines are printed.
# Usage: bench/grep/run.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
runs=${2:-5}
grep=$build/src/grepcli/brenvik-grep
[ -x "$grep" ] || { echo "build brenvik-grep first: cmake --build $build --target brenvik-grep" >&2; exit 1; }
command -v rg >/dev/null || { echo "ripgrep is needed (tools/packages-bench.txt)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree=$work/site
python3 bench/grep/make-tree.py "$tree"
echo "tree: $(find "$tree" -type f | wc -l) files, $(du -sm "$tree" | cut -f1) MB"
find "$tree" -type f -exec cat {} + > /dev/null

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
# time_ms OUTPUT COMMAND...: the median wall time in ms of $runs runs, the last run's output kept.
time_ms() {
    local output=$1
    shift
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        "$@" > "$output" || true
        end=$(date +%s%N)
        echo $(((end - start) / 1000000))
    done | median
}

bg=$(time_ms "$work/bg.txt" "$grep" -r '$logfile' "$tree")
rg=$(time_ms "$work/rg.txt" rg -n '\$logfile' "$tree")
# Files with hits must agree (line counts differ where CR alone ends lines: rg knows only LF lines).
cut -d: -f1 "$work/bg.txt" | sort -u > "$work/bg.files"
cut -d: -f1 "$work/rg.txt" | sort -u > "$work/rg.files"
if cmp -s "$work/bg.files" "$work/rg.files"; then same=yes; else same=NO; fi
echo "\$logfile: brenvik-grep -r ${bg} ms, rg ${rg} ms (ratio $(echo "scale=2; $bg / $rg" | bc)); same files with hits: $same ($(wc -l < "$work/bg.files") files)"

# A name no script holds: the first look at each file's bytes answers without decoding it.
bgn=$(time_ms "$work/bgn.txt" "$grep" -r '$mailprog' "$tree")
rgn=$(time_ms "$work/rgn.txt" rg -n '\$mailprog' "$tree")
echo "\$mailprog (no hits): brenvik-grep ${bgn} ms, rg ${rgn} ms (ratio $(echo "scale=2; $bgn / $rgn" | bc))"

bgj=$(time_ms "$work/bgj.txt" "$grep" -c 管理者 "$tree")
rgj=$(time_ms "$work/rgj.txt" rg -c 管理者 "$tree")
rgs=$(time_ms "$work/rgs.txt" rg -c -E shift_jis 管理者 "$tree")
count() { awk -F: '{ s += $NF } END { print s + 0 }' "$1"; }
echo "管理者: brenvik-grep ${bgj} ms, rg ${rgj} ms, rg -E shift_jis ${rgs} ms (ratio to rg -E shift_jis $(echo "scale=2; $bgj / $rgs" | bc))"
# CPU time (user + system) of one run each: steadier than wall time on a busy shared machine.
cpu() { /usr/bin/time -f '%U %S' -o "$work/cpu" "$@" > /dev/null || true; awk '{ printf "%d", ($1 + $2) * 1000 }' "$work/cpu"; }
echo "CPU ms: \$logfile brenvik-grep $(cpu "$grep" -r '$logfile' "$tree"), rg $(cpu rg '\$logfile' "$tree");" \
    "管理者 brenvik-grep $(cpu "$grep" 管理者 "$tree"), rg -E shift_jis $(cpu rg -E shift_jis 管理者 "$tree")"
echo "管理者 lines found: brenvik-grep $(count "$work/bgj.txt"), rg $(count "$work/rgj.txt"), rg -E shift_jis $(count "$work/rgs.txt")"
