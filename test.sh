#!/usr/bin/env bash
# Installs what is missing, builds the checked configuration and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake --preset verificacao >/dev/null
cmake --build --preset verificacao
ctest --preset verificacao
