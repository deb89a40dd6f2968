#!/bin/bash
# Installs the Debian packages Orva needs to build, run and test.
set -euo pipefail
PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev libqt6sql6-ibase
  firebird3.0-server-core firebird3.0-utils firebird-dev
  fonts-liberation poppler-utils
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Instalacja pakietów: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The embedded engine keeps its lock files here.
mkdir -p /tmp/firebird
