#!/usr/bin/env bash
# Refreshes translations/Setwright_zh_CN.ts from the sources (new texts arrive unfinished;
# translate them in the .ts file). The build turns the .ts into Setwright.qm.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate -no-obsolete -locations relative src -ts translations/Setwright_zh_CN.ts
