#!/usr/bin/env bash
# make run: starts two simulated printers attached by (simulated) USB, also reachable over
# TCP on 127.0.0.1, and RKMENU with a private configuration that points at them. Nothing here
# touches the user's own configuration.
set -euo pipefail
build=${1:-build}
shift || true
bin="$PWD/$build/bin"
demo="$PWD/$build/demo"
mkdir -p "$demo/config/RKMENU"

profile=${RK_DEMO_PROFILE:-zn470kw}
second=${RK_DEMO_SECOND_PROFILE:-rk5200-new}
usb="$demo/usb"
"$bin/rkprinter-sim" --usb-root "$usb" --tcp 127.0.0.1:0 --count 2 \
    --profile "$profile" --profile "$second" --state "$demo/printer.state" \
    --log "$demo/printer.log" > "$demo/sim.out" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT INT TERM

port=""
for _ in $(seq 50); do
    if [ "$(grep -c '^READY usb' "$demo/sim.out")" -ge 2 ]; then
        port=$(sed -n 's/^READY tcp 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$demo/sim.out" | head -n 1)
    fi
    [ -n "$port" ] && break
    kill -0 $sim 2>/dev/null || break
    sleep 0.1
done
if [ -z "$port" ]; then
    echo "the simulated printers did not start:" >&2
    cat "$demo/sim.out" >&2
    exit 1
fi

cat > "$demo/config/RKMENU/config.ini" <<INI
[Version]
ver=1.0.30
[Port]
type=USB
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
[Devices]
UsbSysfsRoot=$usb/sys
UsbDevRoot=$usb/dev
INI

echo "Simulated USB printers '$profile' and '$second' under $usb (log: $demo/printer.log);"
echo "'$profile' also on 127.0.0.1:$port (port type Wifi)."
echo "Press Connect, pick a printer, then Setting. Ctrl+Alt+J unlocks Test and Upgrade."
export XDG_CONFIG_HOME="$demo/config"
# Separate single-instance key: the demo may run beside an installed copy.
export RKMENU_INSTANCE_KEY=${RKMENU_INSTANCE_KEY:-RKMENU_demo}
# In the background and waited for, so that a signal to this script also ends the program.
"$bin/RKMENU" "$@" &
app=$!
trap 'kill $app $sim 2>/dev/null || true' EXIT INT TERM
status=0
wait $app || status=$?
exit $status
