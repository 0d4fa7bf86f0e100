#!/usr/bin/env bash
# Installs what is missing, builds the editor and the converter brenvik-jconv, and
# starts Brenvik on FILE (default: the bundled example script examples/keijiban.cgi).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh --target brenvik brenvik-jconv
exec build/src/app/brenvik "$@"
