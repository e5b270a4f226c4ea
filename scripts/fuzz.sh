#!/usr/bin/env bash
# make fuzz: builds the libFuzzer harnesses of fuzz/ with clang in build-fuzz and runs each for
# FUZZ_SECONDS (default 60) on its seed corpus. New inputs go to build-fuzz/fuzz/corpus, findings
# to build-fuzz/fuzz/findings; the seed corpus in the repository is only read.
#   FUZZERS="fuzz_replycheck fuzz_formula"   only these harnesses
#   FUZZ_RUNS=10000000                       also stop after this many executions
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${FUZZ_BUILD:-build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-60}
JOBS=${JOBS:-$(nproc)}

bash scripts/install-deps.sh
bash scripts/install-deps.sh fuzz
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  launcher=()
  if [ "${RK_CCACHE:-1}" = 1 ] && command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DRK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g" "${launcher[@]}"
fi
cmake --build "$BUILD" --target fuzzers -j"$JOBS"

fuzzers=${FUZZERS:-$(sed -n '/^set(RK_FUZZERS/,/^)/{/fuzz_/s/^ *//p}' fuzz/CMakeLists.txt)}
limit=(-max_total_time="$SECONDS_EACH")
[ -n "${FUZZ_RUNS:-}" ] && limit+=(-runs="$FUZZ_RUNS")
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$PWD/tools/sanitize/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
# The largest input worth trying per harness, a little above its biggest real seed: a run's cost
# grows with its input, and the default (4096) only makes the slow readers slower.
declare -A max_len=([fuzz_replycheck]=2048 [fuzz_parameterlist]=2048 [fuzz_settingsfile]=1280
  [fuzz_inifiles]=1024)
failed=()
summary=()
for name in $fuzzers; do
  work="$BUILD/fuzz/corpus/$name"
  findings="$BUILD/fuzz/findings"
  log="$BUILD/fuzz/$name.log"
  mkdir -p "$work" "$findings"
  echo "== $name"
  size=()
  [ -n "${max_len[$name]:-}" ] && size=(-max_len="${max_len[$name]}")
  if "$BUILD/fuzz/$name" "${limit[@]}" "${size[@]}" -timeout=20 -rss_limit_mb=2560 -print_final_stats=1 \
      -artifact_prefix="$findings/$name-" "$work" "fuzz/corpus/$name" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    failed+=("$name")
    grep -E "ERROR|SUMMARY|check failed|Test unit written" "$log" | head -5 || true
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  summary+=("$(printf '%-22s %-6s %12s runs %8s exec/s' "$name" "$result" "${runs:-?}" "${speed:-?}")")
done
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in $BUILD/fuzz/findings; logs in $BUILD/fuzz/<harness>.log"
  exit 1
fi
