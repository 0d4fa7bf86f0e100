#!/usr/bin/env bash
# Start of an installed copy to its first paint on the installed example script, and where the
# time goes, measured by the program itself (BRENVIK_START_TRACE, see src/app/StartTrace.h):
#   bench/install/start.sh [PREFIX] [RUNS]
# PREFIX is an install (default: build/ installed into a scratch prefix); RUNS new processes
# (default 15) on one Xvfb display, as a user whose folder a first, unmeasured start has made.
# Prints the median of every step and, per bench protocol, the result lines.
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
    $1 == "start" { times[$2] = times[$2] " " $3 }
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
        previous = 0
        for (i = 1; i <= 8; ++i) {
            at = median(times[steps[i]])
            if (at < 0) { printf "no \"%s\" step in the traces\n", steps[i] > "/dev/stderr"; exit 1 }
            printf "%-40s %8.1f ms (at %6.1f ms)\n", names[i], at - previous, at
            printf "result\tinstall.start.%s\t%.1f\tms\n", steps[i], at - previous
            previous = at
        }
        printf "installed start to first paint, median of %d: %.1f ms\n", runs, previous
        printf "result\tinstall.start_to_first_paint\t%.1f\tms\n", previous
    }'
