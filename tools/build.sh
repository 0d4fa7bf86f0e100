#!/usr/bin/env bash
# Configures (once) and builds the project in build/ with Ninja. With ccache, objects are
# shared between checkouts in different folders (paths taken relative to the checkout), so
# a fresh clone on a machine that built before compiles only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
    export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
fi
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
cmake --build build "$@"
