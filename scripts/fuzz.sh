#!/bin/bash
# Builds the libFuzzer targets (fuzz/, preset "fuzz": clang, ASan, UBSan,
# build/fuzz) and runs each on its seed corpus fuzz/corpus/<target>/.
#
#   scripts/fuzz.sh [--runs N | --seconds S] [--no-build] [TARGET...]
#
# --runs N     a bounded run: N inputs per target (default VOSTREL_FUZZ_RUNS,
#              2000), from a fresh working corpus; what scripts/test.sh runs
# --seconds S  a long run: S seconds per target; new inputs are kept in
#              build/fuzz/corpus/<target>/ and the next long run goes on
#              from them
# --no-build   use the targets as they are built
# TARGET       only these targets (default: all of fuzz/CMakeLists.txt)
#
# A target fails on a crash, a leak, a sanitizer report or an input that
# takes more than 10 s; the input is written to build/fuzz/artifacts/ and
# `build/fuzz/fuzz/<target> <that file>` runs it again. The last line is
# "fuzz: N targets: P passed, F failed"; the exit code is non-zero when one
# failed or the build did.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"

runs="${VOSTREL_FUZZ_RUNS:-2000}"
seconds=""
do_build=1
targets=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --runs) runs="$2"; shift ;;
    --seconds) seconds="$2"; shift ;;
    --no-build) do_build=0 ;;
    -h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    -*) echo "unknown argument $1 (see --help)" >&2; exit 2 ;;
    *) targets+=("$1") ;;
  esac
  shift
done

build=build/fuzz
if [[ $do_build == 1 ]]; then
  if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake --preset fuzz >/dev/null
  fi
  cmake --build --preset fuzz -j "${VOSTREL_JOBS:-2}"
fi
if [[ ${#targets[@]} == 0 ]]; then
  mapfile -t targets <"$build/fuzz-targets.txt"
fi

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
mkdir -p "$build/artifacts" "$build/logs"
passed=0
failed=0
for target in "${targets[@]}"; do
  seeds="fuzz/corpus/$target"
  if [[ -n "$seconds" ]]; then
    work="$build/corpus/$target"
    limit=(-max_total_time="$seconds")
  else
    work="$build/run/$target"
    rm -rf "$work"
    limit=(-runs="$runs" -seed=1)
  fi
  mkdir -p "$work" "$seeds"
  log="$build/logs/$target.log"
  start=$(date +%s%N)
  if "$build/fuzz/$target" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/$target-" "$work" "$seeds" >"$log" 2>&1; then
    ms=$((($(date +%s%N) - start) / 1000000))
    echo "fuzz: $target: passed in $((ms / 1000)).$((ms % 1000 / 100))s ($(grep -oE '#[0-9]+' "$log" | tail -n1 | tr -d '#') inputs)"
    passed=$((passed + 1))
  else
    echo "fuzz: $target: FAILED (log: $log)"
    { grep -m 1 -E 'ERROR|runtime error|deadly signal' "$log" || true
      grep -m 8 -E '^ +#[0-9]+ ' "$log" || true
      grep -E '^SUMMARY|Test unit written' "$log" || true; } | sed 's/^/  /'
    failed=$((failed + 1))
  fi
done
echo "fuzz: ${#targets[@]} targets: $passed passed, $failed failed"
[[ $failed == 0 ]]
