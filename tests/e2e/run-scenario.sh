#!/bin/bash
# Runs one end-to-end scenario: a vauto script against a Windows program under
# Wine, on a private Wine prefix and an Xvfb of its own.
#
#   tests/e2e/run-scenario.sh [options] SCENARIO.vauto PROGRAM.exe OUTDIR
#
# OUTDIR receives vauto.log (the commands as they ran), wine.log (Wine's own
# messages), the scenario's screenshots converted to PNG (vauto writes BMP;
# `screenshot name.bmp` becomes OUTDIR/name.png), failure.png when a command
# failed, and, while a run is going or after a failed one, the Wine root
# OUTDIR/wine (prefix and scratch home). A passing run removes the Wine root.
#
# The program is copied to C:\Program Files\Vostrel\ in the prefix. The script
# sees these variables:
#   ${program}     C:\Program Files\Vostrel\PROGRAM.exe
#   ${programdir}  C:\Program Files\Vostrel
#   ${outdir}      OUTDIR as a Windows path (relative file names land there too)
#   ${today}       today's date as yyyy-MM-dd
#
# Options:
#   --vauto FILE            vauto.exe (default: $VAUTO)
#   --desktop[=WxH]         run in a Wine virtual desktop
#   --display               use the current $DISPLAY instead of an own Xvfb
#   --keep                  keep the Wine root even when the run passes
#   --assets                put the program's skins and pages (assets/) beside it
#   --installer             PROGRAM is an installer: it is copied to C:\setup\ instead
#                           (${program} is C:\setup\PROGRAM.exe) and the program
#                           folder is left for it to make
#   --prepare SCRIPT        runs `bash SCRIPT` once the prefix is ready, before the
#                           scenario, in OUTDIR with the Wine environment exported
#                           (WINEPREFIX, VOSTREL_WINE_PROFILE, ...): for what only
#                           the Linux side can make, such as symbolic links
#   --expect-failure-at N   the run passes only when vauto fails at line N
#                           (tests that a wrong expectation is caught)
# Environment: VOSTREL_E2E_LIMIT, seconds the scenario may take (default 150,
# below ctest's 180 so the Wine server and the Xvfb are always stopped here).
# Exit code: vauto's (0 all commands passed, 1 a command failed), or 2 when
# the environment could not be set up.
set -uo pipefail

usage() {
  sed -n '2,/^set -uo/p' "${BASH_SOURCE[0]}" | sed '$d; s/^# \{0,1\}//'
  exit "${1:-0}"
}

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
vauto="${VAUTO:-}"
desktop=()
own_display=1
keep=0
assets=0
installer=0
prepare=""
expect_failure_at=""
positional=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --vauto) vauto="${2:-}"; shift ;;
    --desktop | --desktop=*) desktop=("$1") ;;
    --display) own_display=0 ;;
    --keep) keep=1 ;;
    --assets) assets=1 ;;
    --installer) installer=1 ;;
    --prepare) prepare="${2:-}"; shift ;;
    --expect-failure-at) expect_failure_at="${2:-}"; shift ;;
    -h | --help) usage 0 ;;
    -*) echo "run-scenario.sh: unknown option $1" >&2; usage 2 >&2 ;;
    *) positional+=("$1") ;;
  esac
  shift
done
[[ ${#positional[@]} == 3 ]] || usage 2 >&2

die() {
  echo "run-scenario.sh: $*" >&2
  exit 2
}

absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }

scenario="${positional[0]}"
program="${positional[1]}"
outdir="${positional[2]}"
[[ -f "$scenario" ]] || die "no scenario $scenario"
[[ -f "$program" ]] || die "no program $program"
[[ -n "$vauto" ]] || die "where is vauto.exe? give --vauto FILE or set VAUTO"
[[ -f "$vauto" ]] || die "no vauto at $vauto"
[[ -z "$prepare" || -f "$prepare" ]] || die "no preparation script $prepare"
[[ -z "$prepare" ]] || prepare="$(absolute "$prepare")"
[[ -z "$expect_failure_at" || "$expect_failure_at" =~ ^[0-9]+$ ]] ||
  die "--expect-failure-at wants a line number"
scenario="$(absolute "$scenario")"
program="$(absolute "$program")"
vauto="$(absolute "$vauto")"
mkdir -p "$outdir" || die "cannot make $outdir"
outdir="$(cd "$outdir" && pwd)"
[[ "$outdir" != / ]] || die "refusing / as the output folder"
root="$outdir/wine"

# Results of an earlier run would mislead.
rm -f "$outdir"/*.png "$outdir"/*.bmp "$outdir/vauto.log" "$outdir/wine.log"

# A Linux path as Wine's Z: drive shows it.
windows_path() { local p="${1//\//\\}"; echo "Z:$p"; }

started=$(date +%s%N)
[[ -f "$repo/scripts/wine-env.sh" ]] || die "scripts/wine-env.sh is missing"
[[ $own_display == 0 ]] || unset DISPLAY
# Private prefix (HOME and XDG_* redirected before it is made, home-folder
# links replaced by real folders, Managed=N), persistent wineserver, and an
# Xvfb when DISPLAY is unset.
# shellcheck source=scripts/wine-env.sh disable=SC1091
source "$repo/scripts/wine-env.sh" --fresh "${desktop[@]}" "$root" >"$outdir/setup.log" 2>&1 || {
  cat "$outdir/setup.log" >&2
  die "the Wine environment could not be set up"
}
cleanup() {
  vostrel_wine_env_stop >/dev/null 2>&1
}
trap cleanup EXIT
trap 'exit 130' INT TERM

install_dir="$WINEPREFIX/drive_c/Program Files/Vostrel"
program_folder='C:\Program Files\Vostrel'
if [[ $installer == 1 ]]; then
  install_dir="$WINEPREFIX/drive_c/setup"
  program_folder='C:\setup'
fi
mkdir -p "$install_dir"
cp "$program" "$install_dir/" || die "cannot copy $program into the prefix"
if [[ $assets == 1 ]]; then
  cp "$repo"/assets/skins/*.jpg "$repo"/assets/*.htm "$install_dir/" ||
    die "cannot copy the assets into the prefix"
fi
if [[ -n "$prepare" ]]; then
  (cd "$outdir" && bash "$prepare") >>"$outdir/setup.log" 2>&1 ||
    die "the preparation $prepare failed (see $outdir/setup.log)"
fi
program_name="$(basename "$program")"
ready=$(date +%s%N)

cd "$outdir" || die "cannot enter $outdir"
timeout --kill-after=10 "${VOSTREL_E2E_LIMIT:-150}" wine "$vauto" --failure-screenshot failure.bmp "$(windows_path "$scenario")" \
  "program=$program_folder\\$program_name" \
  "programdir=C:\\Program Files\\Vostrel" \
  "outdir=$(windows_path "$outdir")" \
  "today=$(date +%Y-%m-%d)" \
  2>"$outdir/wine.log" | tee "$outdir/vauto.log"
rc=${PIPESTATUS[0]}
finished=$(date +%s%N)

cleanup
trap - EXIT

for bmp in "$outdir"/*.bmp; do
  [[ -e "$bmp" ]] || continue
  if convert "$bmp" "${bmp%.bmp}.png" 2>>"$outdir/wine.log"; then
    rm -f "$bmp"
    echo "screenshot: ${bmp%.bmp}.png"
  else
    echo "screenshot: $bmp (could not convert it to PNG)"
  fi
done

ms() { echo $((($2 - $1) / 1000000)); }
echo "run-scenario: $(basename "$scenario") on $program_name: vauto exit $rc;" \
  "setup $(ms "$started" "$ready") ms, scenario $(ms "$ready" "$finished") ms," \
  "total $(ms "$started" "$(date +%s%N)") ms"

if [[ -n "$expect_failure_at" ]]; then
  if [[ $rc == 1 ]] && grep -q "^vauto: FAILED at line $expect_failure_at:" "$outdir/vauto.log"; then
    echo "run-scenario: failed at line $expect_failure_at, as expected"
    rc=0
  else
    echo "run-scenario: expected vauto to fail at line $expect_failure_at (exit $rc)" >&2
    rc=1
  fi
fi

if [[ $rc == 0 && $keep == 0 ]]; then
  rm -rf "$root" "$root.lock"
elif [[ $rc != 0 ]]; then
  echo "run-scenario: the Wine root is kept in $root; Wine's messages are in $outdir/wine.log" >&2
fi
exit "$rc"
