#!/usr/bin/env bash
# Installs the dependencies, builds the utility and starts it on the embedded simulated adapter.
# Without a graphical display it shows the link status and the networks in range on the terminal
# and renders every window to PNG files instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset default
cmake --build --preset default --target nxui
nxui=build/default/src/nxui
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  exec "$nxui" "$@"
fi
echo "No graphical display: showing the utility on the terminal instead."
"$nxui" status
echo
"$nxui" survey
"$nxui" render build/pictures
echo "Pictures of every window are in build/pictures."
