#!/usr/bin/env bash
# The program against its peers on the same generated scripts (10,000, 100,000 and 1,000,000 lines): every
# measure run RUNS times, the program and its peers interleaved, then a table of medians and of the ratio
# program/peer beside the target ratio. Only figures of one run of this script compare with each other.
#
#   bench/compare.sh [RUNS] [BUILD_DIR]          (RUNS defaults to 5, BUILD_DIR to build)
#
# Window figures are taken on QT_QPA_PLATFORM (offscreen unless set; the peers get the same). Process peers
# (iconv, nkf, grep, rg, brenvik-jconv) are timed from outside as whole processes, wall clock.
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
build=${2:-build}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

say() { echo "$*" >&2; }

for program in bench/make_script src/jconv/brenvik-jconv bench/open/bench_open; do
    [ -x "$build/$program" ] || {
        say "missing $build/$program: cmake --build $build --target bench_open make_script brenvik-jconv" \
            "bench_search bench_highlight bench_text bench_peer_floor bench_peer_plaintext bench_peer_qsci"
        exit 1
    }
done
missing=()
for command in iconv nkf grep rg; do command -v "$command" >/dev/null || missing+=("$command"); done
[ -x "$build/bench/peers/bench_peer_qsci" ] || missing+=(bench_peer_qsci)
if [ ${#missing[@]} -gt 0 ]; then
    say "not measured (missing: ${missing[*]}); the peers' packages install with:"
    say "  apt-get install -y $(grep -v '^#' tools/packages-bench.txt | tr '\n' ' ')"
    say "  then reconfigure: cmake -S . -B $build, and build bench_peer_qsci"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p bench/data
sizes=(10k 100k 1m)
declare -A lines=([10k]=10000 [100k]=100000 [1m]=1000000)
declare -A bytes
for size in "${sizes[@]}"; do
    script=bench/data/script$size.cgi
    [ -f "$script" ] || "$build/bench/make_script" "$script" "${lines[$size]}" || exit 1
    "$build/src/jconv/brenvik-jconv" --to euc "$script" > "$work/$size.euc" || exit 1
    iconv -f CP932 -t UTF-8 "$script" > "$work/$size.utf8.cgi" || exit 1
    bytes[$size]=$(stat -c %s "$script")
done

# samples["SIZE MEASURE"]: the figures of every run, space-separated; units["MEASURE"].
declare -A samples units
record() { samples["$1 $2"]+="$3 "; units["$2"]=$4; }

# run_bench SIZE PROGRAM ARGS...: records every result line the program prints (each measure name followed by
# $MEASURE_SUFFIX when set); a program not built is skipped quietly, one that fails is reported.
run_bench() {
    local size=$1 program=$2 line tag measure value unit
    shift 2
    [ -x "$program" ] || return 0
    if ! "$program" "$@" > "$work/out" 2> "$work/err"; then
        say "$(basename "$program") $* failed: $(tail -n 3 "$work/err")"
    fi
    while IFS=$'\t' read -r tag measure value unit; do
        [ "$tag" = result ] && record "$size" "$measure${MEASURE_SUFFIX:-}" "$value" "$unit"
    done < "$work/out"
}

# run_fresh SIZE PROGRAM ARGS...: as run_bench, with the start time of the process handed over to it.
run_fresh() {
    local size=$1 program=$2
    shift 2
    [ -x "$program" ] || return 0
    local start=${EPOCHREALTIME/./}
    BENCH_START_NS=${start}000 run_bench "$size" "$program" "$@"
}

# time_process SIZE MEASURE COMMAND...: wall time of the whole process (exit 1 is grep's "no line found").
# The output of the run before is removed first: truncating it when the shell opens the file again would
# charge this process with dropping another's pages (10-20 ms for 28 MB just written).
time_process() {
    local size=$1 measure=$2 begin end status
    shift 2
    command -v "$1" >/dev/null || return 0
    rm -f "$work/process.out"
    begin=${EPOCHREALTIME/./}
    "$@" > "$work/process.out" 2> "$work/err"
    status=$?
    end=${EPOCHREALTIME/./}
    if [ $status -gt 1 ]; then
        say "$* failed: $(head -n 2 "$work/err")"
        return 0
    fi
    record "$size" "$measure" "$(echo "scale=3; ($end - $begin) / 1000" | bc)" ms
}

bench=$build/bench
started=$(date +%s)
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for run in $(seq "$runs"); do
    say "run $run of $runs"
    for size in "${sizes[@]}"; do
        script=bench/data/script$size.cgi
        euc=$work/$size.euc
        run_bench "$size" "$bench/open/bench_open" open "$script"
        run_bench "$size" "$bench/peers/bench_peer_qsci" open "$script"
        run_bench "$size" "$bench/peers/bench_peer_plaintext" open "$script"
        run_fresh "$size" "$bench/open/bench_open" start "$script"
        run_fresh "$size" "$bench/peers/bench_peer_qsci" start "$script"
        run_fresh "$size" "$bench/peers/bench_peer_plaintext" start "$script"
        run_bench "$size" "$bench/search/bench_search" "$script"
        run_bench "$size" "$bench/peers/bench_peer_floor" "$script"
        time_process "$size" peer.grep.matchcase grep -cF print_footer_q "$script"
        time_process "$size" peer.rg.matchcase rg -cF print_footer_q "$script"
        time_process "$size" peer.grep.ignorecase grep -ciF print_footer_q "$script"
        time_process "$size" peer.rg.ignorecase rg -ciF print_footer_q "$script"
        time_process "$size" peer.rg.regex_absent rg -c -e '\$zzz\w+' "$script"
        time_process "$size" peer.grep.regex_absent grep -cE '\$zzz\w+' "$script"
        time_process "$size" peer.grep.regex_count_sub grep -cE '^sub\s+\w+' "$script"
        time_process "$size" peer.rg.regex_count_sub rg -c -e '^sub\s+\w+' "$script"
        run_bench "$size" "$bench/highlight/bench_highlight" "$script"
        run_bench "$size" "$bench/text/bench_text" "$script"
        run_bench "$size" "$bench/save/bench_save" "$script"
        time_process "$size" jconv.to_euc "$build/src/jconv/brenvik-jconv" --to euc "$script"
        time_process "$size" peer.iconv.to_euc iconv -f CP932 -t EUC-JP "$script"
        time_process "$size" peer.nkf.to_euc nkf -x -e "$script"
        time_process "$size" jconv.to_sjis "$build/src/jconv/brenvik-jconv" --to sjis "$euc"
        time_process "$size" peer.iconv.to_sjis iconv -f EUC-JP -t CP932 "$euc"
        time_process "$size" peer.nkf.to_sjis nkf -x -s "$euc"
        # The same script in UTF-8: its open and save against the Shift_JIS ones of this run.
        MEASURE_SUFFIX=.utf8 run_bench "$size" "$bench/open/bench_open" open "$work/$size.utf8.cgi"
        MEASURE_SUFFIX=.utf8 run_bench "$size" "$bench/save/bench_save" "$work/$size.utf8.cgi"
        time_process "$size" jconv.to_utf8 "$build/src/jconv/brenvik-jconv" --to utf8 "$script"
        time_process "$size" peer.iconv.to_utf8 iconv -f CP932 -t UTF-8 "$script"
    done
done

# medians["SIZE MEASURE"], one awk over every run's figures (an insertion sort: a handful of runs each).
for key in "${!samples[@]}"; do echo "$key ${samples[$key]}"; done > "$work/samples"
awk '{
    n = 0
    for (i = 3; i <= NF; ++i) {
        x = $i + 0
        for (j = ++n; j > 1 && v[j - 1] > x; --j) v[j] = v[j - 1]
        v[j] = x
    }
    printf "%s %s %.5g\n", $1, $2, n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
}' "$work/samples" | sort -k2 > "$work/medians"
declare -A medians
while read -r size measure value; do medians["$size $measure"]=$value; done < "$work/medians"

# The pairs the program is judged by: program measure, peer measure, target ratio program/peer ("-": none).
pairs=(
    "open.to_first_paint peer.qsci.load_to_first_paint 0.5"
    "open.to_first_paint peer.plaintext.load_to_first_paint -"
    "open.peak_extra_ratio peer.qsci.peak_extra_ratio -"
    "open.peak_extra_ratio peer.plaintext.peak_extra_ratio -"
    "app.rss peer.qsci.rss 0.8"
    "app.rss peer.plaintext.rss -"
    "app.start_to_first_paint peer.qsci.start_to_first_paint 0.8"
    "app.start_to_first_paint peer.plaintext.start_to_first_paint -"
    "editor.enter peer.qsci.enter -"
    "editor.enter peer.plaintext.enter -"
    "paint.window peer.qsci.repaint -"
    "paint.window peer.plaintext.repaint -"
    "highlight.rescan peer.qsci.colourise 0.06"
    "search.matchcase peer.memcpy.copy 2"
    "search.ignorecase peer.memcpy.copy 4"
    "search.zenkaku peer.memcpy.copy 8"
    "search.matchcase peer.grep.matchcase 1"
    "search.matchcase peer.rg.matchcase 1"
    "search.ignorecase peer.grep.ignorecase 1"
    "search.ignorecase peer.rg.ignorecase 1"
    "search.regex_absent peer.rg.regex_absent 1"
    "search.regex_absent peer.memcpy.copy 10"
    "search.regex_absent peer.grep.regex_absent -"
    "search.regex_count_sub peer.grep.regex_count_sub 2"
    "search.regex_count_sub peer.rg.regex_count_sub -"
    "search.matchcase peer.qsci.search_matchcase -"
    "search.ignorecase peer.qsci.search_ignorecase -"
    "search.matchcase peer.plaintext.search_matchcase -"
    "search.ignorecase peer.plaintext.search_ignorecase -"
    "jconv.to_euc peer.iconv.to_euc 0.5"
    "jconv.to_euc peer.nkf.to_euc -"
    "jconv.to_sjis peer.iconv.to_sjis 0.5"
    "jconv.to_sjis peer.nkf.to_sjis -"
    "open.to_first_paint.utf8 open.to_first_paint 2"
    "save.encode_write.utf8 save.encode_write 2"
    "jconv.to_utf8 peer.iconv.to_utf8 1"
)

compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")
echo "machine: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores, $(free -g | awk '/^Mem:/ { print $2 }') GB memory;" \
    "Debian $(cat /etc/debian_version); $("${compiler:-c++}" --version | head -n 1);" \
    "Qt $(dpkg-query -W -f '${Version}' libqt6widgets6 2>/dev/null), QScintilla $(dpkg-query -W -f '${Version}' libqscintilla2-qt6-15 2>/dev/null)"
echo "platform $QT_QPA_PLATFORM; $runs runs, interleaved; $(( $(date +%s) - started )) s;" \
    "load average before $load_before, after $(cut -d' ' -f1-3 /proc/loadavg) (the machine may be shared)"
echo "the peer widgets are given the text decoded from Shift_JIS to Unicode (QStringDecoder); process figures are whole-process"
echo "wall times (start, read, work), the program's search figures are in memory; open.peak_extra_ratio has an absolute target: <= 1.5"
declare -A paired
for pair in "${pairs[@]}"; do
    read -r ours theirs _ <<< "$pair"
    paired[$ours]=1
    paired[$theirs]=1
done
for size in "${sizes[@]}"; do
    echo
    echo "script$size.cgi: ${lines[$size]} lines, ${bytes[$size]} bytes; medians of $runs"
    printf '%-26s %11s  %-36s %11s  %8s  %7s\n' measure program peer peer ratio target
    for pair in "${pairs[@]}"; do
        read -r ours theirs target <<< "$pair"
        mine=${medians["$size $ours"]:-}
        peer=${medians["$size $theirs"]:-}
        [ -n "$mine$peer" ] || continue
        ratio=-
        [ -n "$mine" ] && [ -n "$peer" ] && ratio=$(awk -v a="$mine" -v b="$peer" 'BEGIN { if (b > 0) printf "%.3g", a / b; else print "-" }')
        printf '%-26s %11s  %-36s %11s  %8s  %7s\n' "$ours" "${mine:--}" "$theirs" "${peer:--}" "$ratio" \
            "$([ "$target" = - ] && echo - || echo "<= $target")"
    done
    others=$(while read -r figureSize measure value; do
        [ "$figureSize" = "$size" ] && [ -z "${paired[$measure]:-}" ] &&
            printf '  %-44s %11s %s\n' "$measure" "$value" "${units[$measure]}"
    done < "$work/medians")
    [ -z "$others" ] || printf 'other figures:\n%s\n' "$others"
done
exit 0
