#!/usr/bin/env bash
# make run: starts a simulated printer on 127.0.0.1 and RKMENU with a private configuration
# that points at it. Nothing here touches the user's own configuration.
set -euo pipefail
build=${1:-build}
shift || true
bin="$PWD/$build/bin"
demo="$PWD/$build/demo"
mkdir -p "$demo/config/RKMENU"

profile=${RK_DEMO_PROFILE:-zn470kw}
"$bin/rkprinter-sim" --tcp 127.0.0.1:0 --profile "$profile" --state "$demo/printer-$profile.state" \
    --log "$demo/printer.log" > "$demo/sim.out" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT INT TERM

port=""
for _ in $(seq 50); do
    port=$(sed -n 's/^READY tcp 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$demo/sim.out" | head -n 1)
    [ -n "$port" ] && break
    kill -0 $sim 2>/dev/null || break
    sleep 0.1
done
if [ -z "$port" ]; then
    echo "the simulated printer did not start:" >&2
    cat "$demo/sim.out" >&2
    exit 1
fi

cat > "$demo/config/RKMENU/config.ini" <<INI
[Version]
ver=1.0.30
[Port]
type=Wifi
[SerialPort]
port=0
baudrate=7
parity=0
databit=3
stopbit=0
flowcontrol=1
[Option]
barhide=0
[PortSelect]
porttype=9
[Wifi]
serverip=127.0.0.1
port=$port
[Mode]
mode=3
[TearCheck]
ischeck=2
[LPT]
LPT=1
INI

echo "Simulated printer '$profile' on 127.0.0.1:$port (log: $demo/printer.log)."
echo "Press Connect, then Setting. Ctrl+Alt+J unlocks Test and Upgrade."
export XDG_CONFIG_HOME="$demo/config"
# Separate single-instance key: the demo may run beside an installed copy.
export RKMENU_INSTANCE_KEY=RKMENU_demo
"$bin/RKMENU" "$@"
