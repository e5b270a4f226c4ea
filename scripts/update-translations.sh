#!/usr/bin/env bash
# Refreshes translations/Setwright_zh_CN.ts from the sources (new texts arrive unfinished;
# translate them in the .ts file). The build turns the .ts into Setwright.qm. No source locations:
# they change with every edit and make parallel branches collide in the .ts file.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate -no-obsolete -locations none src -ts translations/Setwright_zh_CN.ts
