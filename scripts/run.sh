#!/usr/bin/env bash
# Installs the dependencies, builds the utility and starts it on the embedded simulated adapter.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default
cmake --build --preset default --target nxui
exec build/default/src/nxui "$@"
