#!/usr/bin/env bash
# Builds the Debian package build/brenvik_<version>_<arch>.deb from the build in build/
# (those targets built first where anything is missing). Install it with: apt install ./build/brenvik_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh --target brenvik brenvik-jconv brenvik_dist
cd build && cpack -G DEB
