#!/bin/sh
# Runs the editing model's random-operation check with fresh seeds for MINUTES minutes
# (default 10) and prints how many steps ran clean; a failure names its seed and step.
# Usage: tools/fuzz.sh [MINUTES]   (builds test_model in build/ first)
set -eu
minutes=${1:-10}
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$root/build" --target test_model >/dev/null
BRENVIK_FUZZ_SECONDS=$((minutes * 60)) QT_QPA_PLATFORM=offscreen \
    "$root/build/tests/model/test_model" --gtest_filter='RandomEditTest.*'
