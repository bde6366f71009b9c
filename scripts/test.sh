#!/bin/bash
# The one test command: builds everything and runs every test tier.
#
#   scripts/test.sh [--native-only | --windows-only] [--smoke] [--desktop] [-- CTEST_ARGS...]
#
#   1. scripts/setup.sh (packages, mingw libraries, Wine template)
#   2. native preset: configure, build, ctest (labels unit, contract, smoke);
#      then scripts/fuzz.sh: the fuzz targets (build/fuzz, clang), each for a
#      bounded number of inputs
#   3. windows preset: configure, build; then a fresh private Wine root in
#      build/windows/wine-test (Xvfb of its own when DISPLAY is unset, a
#      persistent wineserver) and ctest (labels contract, e2e, smoke) with
#      every test executable run under Wine by scripts/wine-run.sh
#   4. a summary per build and a closing "total: N passed, M failed, K skipped" line;
#      Xvfb and the wineserver are stopped on exit; the exit code is non-zero
#      if anything failed to configure, build or pass.
#
# --smoke       build and test only tests/smoke as a project of its own
#               (build/smoke-native, build/smoke-windows): checks the
#               environment while the rest of the tree does not build
# --desktop     run the Windows tests on a Wine virtual desktop
# CTEST_ARGS    passed to both ctest runs (for example -L contract, -R Name)
# Environment:  VOSTREL_JOBS (build jobs, default 2), VOSTREL_CTEST_JOBS_NATIVE
#               (default 2), VOSTREL_CTEST_JOBS_WINDOWS (default 1).
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"

do_native=1
do_windows=1
smoke=0
env_opts=()
ctest_args=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --native-only) do_windows=0 ;;
    --windows-only) do_native=0 ;;
    --smoke) smoke=1 ;;
    --desktop) env_opts+=(--desktop) ;;
    --) shift; ctest_args=("$@"); break ;;
    -h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "unknown argument $1 (see --help)" >&2; exit 2 ;;
  esac
  shift
done

jobs="${VOSTREL_JOBS:-2}"
results=()
total_passed=0
total_failed=0
total_skipped=0
failed_stages=0

banner() { printf '\n===== %s =====\n' "$*"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
since() { local ms=$(($(now_ms) - $1)); printf '%d.%ds' $((ms / 1000)) $((ms % 1000 / 100)); }

# The generator a build folder already uses, else Ninja when there is one.
generator_for() {
  local dir="$1" cached
  if [[ -f "$dir/CMakeCache.txt" ]]; then
    cached="$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$dir/CMakeCache.txt")"
    [[ -n "$cached" ]] && { echo "$cached"; return; }
  fi
  if command -v ninja >/dev/null; then echo Ninja; else echo "Unix Makefiles"; fi
}

configure() {
  local name="$1" dir="$2"
  shift 2
  local t=$(now_ms)
  banner "$name: configure"
  if CMAKE_GENERATOR="$(generator_for "$dir")" "$@"; then
    echo "$name: configured in $(since "$t")"
  else
    results+=("$name: configure FAILED")
    failed_stages=$((failed_stages + 1))
    return 1
  fi
}

build() {
  local name="$1" dir="$2"
  local t=$(now_ms)
  banner "$name: build"
  if cmake --build "$dir" -j "$jobs"; then
    echo "$name: built in $(since "$t")"
  else
    results+=("$name: build FAILED")
    failed_stages=$((failed_stages + 1))
    return 1
  fi
}

# run_ctest NAME DIR JOBS [PRESET]
run_ctest() {
  local name="$1" dir="$2" ctest_jobs="$3" preset="${4:-}"
  local log="$dir/ctest-output.log" rc=0 t=$(now_ms)
  banner "$name: ctest"
  local cmd=(ctest --output-on-failure --label-summary --no-tests=error -j "$ctest_jobs")
  if [[ -n "$preset" ]]; then
    cmd=(ctest --preset "$preset" -j "$ctest_jobs")
  else
    cmd+=(--test-dir "$dir")
  fi
  "${cmd[@]}" "${ctest_args[@]}" 2>&1 | tee "$log" || rc=$?
  local labels
  labels="$("${cmd[@]}" --print-labels 2>/dev/null | sed -n 's/^  //p' | xargs)"
  local line passed=0 failed=0 count=0 skipped=0
  line="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1 || true)"
  if [[ -n "$line" ]]; then
    failed="$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")"
    count="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")"
    # ctest counts skipped tests (GTEST_SKIP) as passed; list them apart.
    skipped="$(grep -cE '^[[:space:]]+[0-9]+ - .* \(Skipped\)$' "$log" || true)"
    passed=$((count - failed - skipped))
  fi
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  total_skipped=$((total_skipped + skipped))
  local counts="$count tests: $passed passed, $failed failed, $skipped skipped (labels: ${labels:-none}) in $(since "$t")"
  if [[ $rc != 0 || -z "$line" ]]; then
    failed_stages=$((failed_stages + 1))
    results+=("$name: $counts; ctest exit code $rc: FAILED")
    return 1
  fi
  results+=("$name: $counts")
}

cleanup() {
  if declare -F vostrel_wine_env_stop >/dev/null; then
    vostrel_wine_env_stop || true
  fi
}
trap cleanup EXIT

t_all=$(now_ms)
banner "setup"
scripts/setup.sh

if [[ $smoke == 1 ]]; then
  native_dir=build/smoke-native
  windows_dir=build/smoke-windows
else
  native_dir=build/native
  windows_dir=build/windows
fi

if [[ $do_native == 1 ]]; then
  if [[ $smoke == 1 ]]; then
    cfg=(cmake -S tests/smoke -B "$native_dir" -DCMAKE_BUILD_TYPE=Debug -DVOSTREL_SANITIZE=ON)
  else
    cfg=(cmake --preset native)
  fi
  if configure native "$native_dir" "${cfg[@]}" && build native "$native_dir"; then
    if [[ $smoke == 1 ]]; then
      run_ctest native "$native_dir" "${VOSTREL_CTEST_JOBS_NATIVE:-2}" || true
    else
      run_ctest native "$native_dir" "${VOSTREL_CTEST_JOBS_NATIVE:-2}" native || true
    fi
  fi
fi

# The fuzz targets (build/fuzz, clang), each for a bounded number of inputs.
run_fuzz() {
  local log=build/fuzz-output.log rc=0 t=$(now_ms) line
  banner "fuzz"
  mkdir -p build
  scripts/fuzz.sh 2>&1 | tee "$log" || rc=$?
  line="$(grep -E '^fuzz: [0-9]+ targets: [0-9]+ passed, [0-9]+ failed$' "$log" | tail -n1 || true)"
  if [[ -z "$line" ]]; then
    failed_stages=$((failed_stages + 1))
    results+=("fuzz: build FAILED")
    return 1
  fi
  local passed failed
  passed="$(sed -E 's/.* ([0-9]+) passed.*/\1/' <<<"$line")"
  failed="$(sed -E 's/.* ([0-9]+) failed$/\1/' <<<"$line")"
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  if [[ $rc != 0 ]]; then
    failed_stages=$((failed_stages + 1))
    results+=("$line in $(since "$t"): FAILED")
    return 1
  fi
  results+=("$line in $(since "$t")")
}

if [[ $do_native == 1 && $smoke == 0 ]]; then
  run_fuzz || true
fi

if [[ $do_windows == 1 ]]; then
  if [[ $smoke == 1 ]]; then
    cfg=(cmake -S tests/smoke -B "$windows_dir" -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake"
      -DVOSTREL_DEPS_PREFIX="$repo/build/deps-mingw")
  else
    cfg=(cmake --preset windows)
  fi
  if configure windows "$windows_dir" "${cfg[@]}" && build windows "$windows_dir"; then
    banner "windows: Wine environment"
    # shellcheck source=scripts/wine-env.sh
    source scripts/wine-env.sh --fresh "${env_opts[@]}" "$repo/$windows_dir/wine-test"
    if [[ $smoke == 1 ]]; then
      run_ctest windows "$windows_dir" "${VOSTREL_CTEST_JOBS_WINDOWS:-1}" || true
    else
      run_ctest windows "$windows_dir" "${VOSTREL_CTEST_JOBS_WINDOWS:-1}" windows || true
    fi
    vostrel_wine_env_stop
  fi
fi

banner "summary"
for r in "${results[@]}"; do
  echo "$r"
done
echo "all done in $(since "$t_all")"
echo "total: $total_passed passed, $total_failed failed, $total_skipped skipped"
[[ $failed_stages == 0 && $total_failed == 0 ]]
