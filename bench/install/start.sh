#!/usr/bin/env bash
# Start of an installed copy to its first paint on the installed example script, and where the
# time goes, measured by the program itself (BRENVIK_START_TRACE, see src/app/StartTrace.h):
#   bench/install/start.sh [PREFIX] [RUNS]
# PREFIX is an install (default: build/ installed into a scratch prefix); RUNS new processes
# (default 15) on one Xvfb display, as a user whose folder a first, unmeasured start has made.
# Prints the median wall and processor time of every step and, per bench protocol, the result
# lines; on a busy machine the processor time is the steadier figure.
set -euo pipefail
cd "$(dirname "$0")/../.."
scratch=$(mktemp -d /tmp/brenvik-start.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
prefix=${1:-}
runs=${2:-15}
if [ -z "$prefix" ]; then
    prefix=$scratch/prefix
    cmake --install build --prefix "$prefix" --strip > /dev/null
fi
mkdir -p "$scratch/home"

HOME=$scratch/home XDG_DATA_HOME='' XDG_CONFIG_HOME='' xvfb-run -a -s "-screen 0 1280x900x24" \
    bash -c '
        for run in $(seq 0 "$2"); do
            BRENVIK_START_TRACE=$(date +%s%N) "$1/bin/brenvik" "$1/share/brenvik/keijiban.cgi" \
                2> "$3/run-$run.txt" || true
        done' _ "$prefix" "$runs" "$scratch"

# The first run also seeded the user's folder: shown, not counted.
echo "first start (seeds the user's folder): $(awk -F'\t' '$2 == "first_paint" { print $3 " ms" }' "$scratch/run-0.txt")"
cat "$scratch"/run-{1..999}.txt 2> /dev/null | awk -F'\t' -v runs="$runs" '
    $1 == "start" { wall[$2] = wall[$2] " " $3; cpu[$2] = cpu[$2] " " $4 }
    function median(list,    values, count, i, j, swap) {
        count = split(list, values, " ")
        for (i = 1; i <= count; ++i)
            for (j = i + 1; j <= count; ++j)
                if (values[j] + 0 < values[i] + 0) { swap = values[i]; values[i] = values[j]; values[j] = swap }
        return count ? values[int((count + 1) / 2)] : -1
    }
    END {
        split("main qt fonts seed settings window loaded first_paint", steps, " ")
        split("process start and libraries|Qt start (display, translations)|font list|seeding|settings file|main window (menus, panels, editor)|show and open the script|first paint", names, "|")
        printf "%-40s %10s %10s   (medians of %d starts)\n", "step", "wall ms", "cpu ms", runs
        wallBefore = 0; cpuBefore = 0
        for (i = 1; i <= 8; ++i) {
            wallAt = median(wall[steps[i]]); cpuAt = median(cpu[steps[i]])
            if (wallAt < 0) { printf "no \"%s\" step in the traces\n", steps[i] > "/dev/stderr"; exit 1 }
            printf "%-40s %10.1f %10.1f\n", names[i], wallAt - wallBefore, cpuAt - cpuBefore
            printf "result\tinstall.start.%s\t%.1f\tms\n", steps[i], wallAt - wallBefore
            printf "result\tinstall.start.%s.cpu\t%.1f\tms\n", steps[i], cpuAt - cpuBefore
            wallBefore = wallAt; cpuBefore = cpuAt
        }
        printf "installed start to first paint: %.1f ms wall, %.1f ms of processor time\n", wallBefore, cpuBefore
        printf "result\tinstall.start_to_first_paint\t%.1f\tms\n", wallBefore
        printf "result\tinstall.start_to_first_paint.cpu\t%.1f\tms\n", cpuBefore
    }'
