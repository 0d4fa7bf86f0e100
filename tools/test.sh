#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   tools/test.sh                         the normal build in build/, every test
#   tools/test.sh --sanitize              a separate build in build-sanitize/ with
#                                         AddressSanitizer and UndefinedBehaviorSanitizer,
#                                         every test
#   tools/test.sh --sanitize --headless   the same, only the libraries without widgets
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
launcher=()
if command -v ccache >/dev/null; then
    # As tools/build.sh: objects shared between checkouts in different folders.
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
fi
if [ "${1:-}" != "--sanitize" ]; then
    tools/build.sh
    cd build && exec env QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
fi
[ -f build-sanitize/build.ninja ] || cmake -S . -B build-sanitize -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENVIK_SANITIZE=ON "${launcher[@]}"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
if [ "${2:-}" != "--headless" ]; then
    cmake --build build-sanitize
    cd build-sanitize && exec env QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
fi
headless=(support text jcode search highlight model grep perlrun)
targets=()
for layer in "${headless[@]}"; do
    [ -d "tests/$layer" ] && targets+=("test_$layer")
done
cmake --build build-sanitize --target "${targets[@]}"
for target in "${targets[@]}"; do
    layer=${target#test_}
    echo "== $target (sanitized)"
    "build-sanitize/tests/$layer/$target" --gtest_brief=1
done
