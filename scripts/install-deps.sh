#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need. The only place that lists them.
# With "fuzz": what make fuzz needs instead, clang and its runtime with libFuzzer and the
# sanitizers, kept apart so that the ordinary build and CI never install a second compiler.
set -euo pipefail

if [ "${1:-}" = fuzz ]; then
  packages=(clang libclang-rt-dev)
else
  packages=(
    # build
    build-essential cmake pkg-config
    qtbase5-dev qtbase5-dev-tools qttools5-dev qttools5-dev-tools
    libqt5serialport5-dev libqt5sql5-sqlite libqt5svg5-dev
    qtscript5-dev
    libcjson-dev libcups2-dev
    # RKSETUP's tests run a private CUPS scheduler (cupsd, cups-driverd, lpinfo, lpadmin)
    cups
    # the delivered database is built from SQL text
    sqlite3
    # Chinese texts, and Qt's own dialogs and buttons in Chinese
    fonts-wqy-microhei qttranslations5-l10n
    # headless widget tests, screenshots and the demo tools
    xvfb xauth imagemagick xdotool socat python3
    # a private message bus for the Bluetooth discovery tests
    dbus-daemon
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
