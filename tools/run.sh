#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brenvik on FILE (default: the
# bundled example script examples/keijiban.cgi).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh --target brenvik brenvik-jconv
[ $# -gt 0 ] || set -- examples/keijiban.cgi
exec build/src/program/brenvik "$@"
