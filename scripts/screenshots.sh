#!/usr/bin/env bash
# Makes the README's screenshots again: RKMENU at its smallest size (1024 x 720) on a virtual X
# display, connected over TCP to a simulated printer, one picture per main page, into
# docs/screenshots/. Needs the build (make build) and the packages of scripts/install-deps.sh.
#   scripts/screenshots.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bin="$PWD/$build/bin"
out="$PWD/docs/screenshots"
work=$(mktemp -d)
mkdir -p "$out" "$work/config/RKMENU"

"$bin/rkprinter-sim" --tcp 127.0.0.1:0 --profile qp80 > "$work/sim.out" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -rf "$work"' EXIT INT TERM
port=""
for _ in $(seq 50); do
    port=$(sed -n 's/^READY tcp 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$work/sim.out" | head -n 1)
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { echo "the simulated printer did not start" >&2; cat "$work/sim.out" >&2; exit 1; }

cat > "$work/config/RKMENU/config.ini" <<INI
[Version]
ver=1.0.30
[Port]
type=Wifi
[Option]
barhide=1
[PortSelect]
porttype=9
[Wifi]
serverip=127.0.0.1
port=$port
[Mode]
mode=0
INI

# shot NAME LANG [xdotool step]...: starts RKMENU, runs the steps a second apart, saves NAME.png.
shot() {
    local name=$1 lang=$2
    shift 2
    local disp=:$((90 + RANDOM % 400))
    Xvfb "$disp" -screen 0 1024x720x24 -nolisten tcp > /dev/null 2>&1 &
    local xvfb=$!
    sleep 1
    DISPLAY=$disp XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
        RKMENU_INSTANCE_KEY="RKMENU_shots_$name" "$bin/RKMENU" --lang "$lang" > /dev/null 2>&1 &
    local app=$!
    sleep 3
    local step
    for step in "$@"; do
        # shellcheck disable=SC2086
        DISPLAY=$disp xdotool $step
        sleep 1.5
    done
    DISPLAY=$disp import -window root -colors 256 "PNG8:$out/$name.png"
    kill $app 2> /dev/null || true
    wait $app 2> /dev/null || true
    kill $xvfb 2> /dev/null || true
    wait $xvfb 2> /dev/null || true
    echo "saved $out/$name.png"
}

# Connected, the home page makes room for the printer's details: its buttons move right.
connect="mousemove 302 364 click 1"
shot home en "$connect"
shot connection en "mousemove 582 364 click 1"
shot settings en "$connect" "mousemove 363 497 click 1"
shot devicetest en "$connect" "mousemove 483 497 click 1"
shot firmware en "$connect" "mousemove 603 497 click 1"
shot designer en "mousemove 813 497 click 1"
shot settings-zh zh "$connect" "mousemove 363 497 click 1"
