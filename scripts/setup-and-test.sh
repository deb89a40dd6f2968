#!/bin/bash
# Installs what Orva needs, builds it and runs every test.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$ROOT/build" --output-on-failure -j2
