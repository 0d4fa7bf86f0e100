#!/usr/bin/env bash
# Coverage-guided fuzzing: builds the libFuzzer targets of fuzz/ in build-fuzz/ (clang,
# -DBRENVIK_FUZZ=ON, AddressSanitizer and UBSan) and runs each for SECONDS from its seed corpus
# fuzz/corpus/<name> (read only) and what earlier runs found, build-fuzz/corpus/<name>. A crash
# or broken property stops that target and leaves its input in build-fuzz/findings/<name>/;
# the script then fails. Unless targets are named, the editing model's random-operation check
# runs for the same time afterwards (in build/).
# Usage: tools/fuzz.sh [SECONDS [TARGET...]]   e.g. tools/fuzz.sh 60, tools/fuzz.sh 1800 jcode perl
# FUZZ_JOBS targets run side by side (default 1); each prints its last status line (executions,
# exec/s, coverage) and its log is build-fuzz/logs/<name>.log.
set -euo pipefail
seconds=${1:-600}
shift || true
cd "$(dirname "$0")/.."
root=$PWD
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
fi
[ -f build-fuzz/build.ninja ] || cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DBRENVIK_FUZZ=ON "${launcher[@]}"
cmake --build build-fuzz --target fuzz
targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(cd fuzz && ls ./*.cpp | sed 's|^\./||; s|\.cpp$||')
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p build-fuzz/logs

run_target() {
    local name=$1 dict=()
    mkdir -p "build-fuzz/corpus/$name" "build-fuzz/findings/$name"
    [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
    if "build-fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 "${dict[@]}" -artifact_prefix="build-fuzz/findings/$name/" \
        "build-fuzz/corpus/$name" "fuzz/corpus/$name" >"build-fuzz/logs/$name.log" 2>&1; then
        echo "== fuzz_$name: $(grep -E '^#[0-9]+' "build-fuzz/logs/$name.log" | tail -1)"
    else
        echo "== fuzz_$name FAILED (input in build-fuzz/findings/$name/):"
        grep -E 'property broken|ERROR: |runtime error|SUMMARY' "build-fuzz/logs/$name.log" | head -5
        return 1
    fi
}

failed=0
jobs=${FUZZ_JOBS:-1}
pids=()
for name in "${targets[@]}"; do
    run_target "$name" &
    pids+=($!)
    if [ ${#pids[@]} -ge "$jobs" ]; then
        wait "${pids[0]}" || failed=1
        pids=("${pids[@]:1}")
    fi
done
for pid in "${pids[@]}"; do
    wait "$pid" || failed=1
done
if [ $# -eq 0 ]; then
    cmake --build "$root/build" --target test_model >/dev/null
    BRENVIK_FUZZ_SECONDS=$seconds QT_QPA_PLATFORM=offscreen \
        "$root/build/tests/model/test_model" --gtest_filter='RandomEditTest.*' || failed=1
fi
exit $failed
