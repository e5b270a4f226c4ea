#!/usr/bin/env bash
# make test-sanitize: builds the whole tree with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize and runs every test. Any report stops that test and fails it.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${SANITIZE_BUILD:-build-sanitize}
JOBS=${JOBS:-$(nproc)}
# CTest's limit per test; the code runs several times slower under the sanitizers, and the
# longest end-to-end tests take 700 s on a loaded 2-core machine.
TIMEOUT=${SANITIZE_TIMEOUT:-1800}

bash scripts/install-deps.sh
launcher=()
if [ "${RK_CCACHE:-1}" = 1 ] && command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRK_SANITIZE=ON \
  -DRK_TEST_TIMEOUT="$TIMEOUT" "${launcher[@]}"
cmake --build "$BUILD" -j"$JOBS"

supp="$PWD/tools/sanitize"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:fast_unwind_on_malloc=0:strict_string_checks=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$supp/ubsan.supp"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
cd "$BUILD" && ctest --output-on-failure -j"$JOBS" "$@"
