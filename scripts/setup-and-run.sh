#!/bin/bash
# Installs what Orva needs, builds it, creates ORVA.GDB beside the program
# when there is none, and starts Orva.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
"$ROOT/scripts/create-db.sh" "$ROOT/build/bin/ORVA.GDB"
exec "$ROOT/build/bin/Orva"
