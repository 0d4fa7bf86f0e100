#!/bin/sh
# Rewrites the expected token dumps (*.tokens) from the samples beside them.
# Usage: tests/data/highlight/regen.sh [BUILD_DIR]   (default: build)
# Review the result with: git diff tests/data/highlight (nkf -w shows the Japanese text).
set -e
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=${1:-$root/build}
BRENVIK_REGEN_GOLDEN=1 QT_QPA_PLATFORM=offscreen "$build/tests/highlight/test_highlight" --gtest_filter='Samples/GoldenDumps.*'
