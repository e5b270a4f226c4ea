#!/usr/bin/env bash
# Starts RKMENU with a private configuration folder (never the user's own file).
set -euo pipefail
build=${1:-build}
bin="$build/bin"
demo="$build/demo"
mkdir -p "$demo/config"
export XDG_CONFIG_HOME="$PWD/$demo/config"
# Separate single-instance key: the demo may run beside an installed copy.
export RKMENU_INSTANCE_KEY=RKMENU_demo
exec "$bin/RKMENU" "${@:2}"
