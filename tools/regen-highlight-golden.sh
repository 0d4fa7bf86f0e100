#!/bin/sh
# Rewrites the expected token dumps (tests/data/highlight/*.tokens) from the samples beside them.
# Usage: tools/regen-highlight-golden.sh [BUILD_DIR]   (default: build)
# Review the result with: git diff tests/data/highlight (nkf -w shows the Japanese text).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target test_highlight
BRENVIK_REGEN_GOLDEN=1 QT_QPA_PLATFORM=offscreen "$build/tests/highlight/test_highlight" \
    --gtest_filter='Samples/GoldenDumps.*'
git -C "$root" diff --stat -- tests/data/highlight
