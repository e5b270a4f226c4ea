#!/usr/bin/env bash
# What make fuzz needs beyond the build's own packages: clang and its runtime with libFuzzer and
# the sanitizers. Kept apart so that the ordinary build and CI never install a second compiler.
set -euo pipefail

packages=(clang libclang-rt-dev)

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
