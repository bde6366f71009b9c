# Sets up a Wine test environment in the current shell. Source it:
#
#   source scripts/wine-env.sh [--fresh] [--desktop[=WxH]] [--no-z-drive] [--no-xvfb] ROOT
#   ...                        # run wine, ctest, ...
#   vostrel_wine_env_stop      # stop the wineserver and our Xvfb, restore HOME
#
# It makes ROOT a private Wine root (scripts/wineprefix.sh: ROOT/prefix and
# ROOT/home, copied from a cached template), exports the variables below,
# starts a persistent wineserver for the prefix (`wineserver -p`) and, when
# DISPLAY is unset, an Xvfb of its own on a free display number.
#
# Exported for everything started afterwards (ctest and the tests):
#   VOSTREL_WINE_ENV=1        tells scripts/wine-run.sh to use this environment
#   VOSTREL_WINE_ROOT         ROOT
#   WINEPREFIX                ROOT/prefix
#   VOSTREL_WINE_HOME, HOME   ROOT/home (the real HOME is kept in VOSTREL_REAL_HOME)
#   XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME   below ROOT/home
#   VOSTREL_TRASH_DIR         $XDG_DATA_HOME/Trash, Wine's Recycle Bin
#   VOSTREL_WINE_PROFILE      ROOT/prefix/drive_c/users/<user> (%USERPROFILE%)
#   WINEDEBUG=-all, WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d", WINEARCH=win64
#   DISPLAY                   the Xvfb's display (or the one that was set)
#   VOSTREL_XVFB_PID          our Xvfb's pid (empty if DISPLAY was given)
#   VOSTREL_WINE              the wine loader (command -v wine)
#   VOSTREL_WINE_RUN          scripts/wine-run.sh
#   VOSTREL_WINEPREFIX_SCRIPT scripts/wineprefix.sh (to make more roots)
#   VOSTREL_WINE_TEMPLATES    the template cache
# Options: --fresh recreates ROOT; --desktop uses a Wine virtual desktop;
# --no-z-drive removes Z:; --no-xvfb never starts an Xvfb.
# Xvfb's screen is $VOSTREL_XVFB_SCREEN (default 1024x768x24).

source "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh" || return 1

vostrel_wine_env_start() {
  local fresh="" desktop="" no_z="" no_xvfb=0 root=""
  while [[ $# -gt 0 ]]; do
    case "$1" in
      --fresh) fresh=--fresh ;;
      --desktop | --desktop=*) desktop="$1" ;;
      --no-z-drive) no_z=--no-z-drive ;;
      --no-xvfb) no_xvfb=1 ;;
      -*) vostrel_die "wine-env.sh: unknown option $1"; return 1 ;;
      *) root="$1" ;;
    esac
    shift
  done
  [[ -n "$root" ]] || { vostrel_die "usage: source wine-env.sh [options] ROOT"; return 1; }
  mkdir -p "$(dirname "$root")" || return 1
  root="$(cd "$(dirname "$root")" && pwd)/$(basename "$root")"

  export VOSTREL_REAL_HOME="${VOSTREL_REAL_HOME:-${HOME:-/root}}"
  export VOSTREL_WINE_TEMPLATES="${VOSTREL_WINE_TEMPLATES:-$VOSTREL_REPO_ROOT/build/wine-templates}"
  # shellcheck disable=SC2086
  "$VOSTREL_SCRIPTS/wineprefix.sh" $fresh $desktop $no_z "$root" || return 1

  VOSTREL_SAVED_HOME="${HOME:-}"
  vostrel_wine_export "$root"
  export VOSTREL_WINE_ENV=1
  export VOSTREL_WINE="$(command -v wine)"
  export VOSTREL_WINE_RUN="$VOSTREL_SCRIPTS/wine-run.sh"
  export VOSTREL_WINEPREFIX_SCRIPT="$VOSTREL_SCRIPTS/wineprefix.sh"
  export VOSTREL_WINE_PROFILE="$(vostrel_wine_profile_dir "$WINEPREFIX")"
  mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"

  export VOSTREL_XVFB_PID=""
  if [[ -z "${DISPLAY:-}" && $no_xvfb == 0 ]]; then
    vostrel_xvfb_start || return 1
  fi

  # A persistent server: without it every wine start costs about 0.45 s and
  # ctest waits on the server lingering after each test.
  # (Its output goes to /dev/null: whoever holds our stdout, a pipe to tee or
  # ctest, would otherwise wait for the server to end.) Exit code 2 means a
  # server already runs for this prefix.
  local rc=0
  wineserver -p </dev/null >/dev/null 2>&1 || rc=$?
  [[ $rc == 0 || $rc == 2 ]] || { vostrel_die "wineserver -p failed ($rc)"; return 1; }
  # Warm it up so the first test does not pay for starting the services.
  wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
  vostrel_log "Wine environment ready: WINEPREFIX=$WINEPREFIX DISPLAY=${DISPLAY:-(none)}"
}

# Starts Xvfb on a free display number (Xvfb picks it: -displayfd).
vostrel_xvfb_start() {
  local screen="${VOSTREL_XVFB_SCREEN:-1024x768x24}" numfile i
  command -v Xvfb >/dev/null || { vostrel_die "Xvfb is not installed (run scripts/setup.sh)"; return 1; }
  numfile="$(mktemp "${TMPDIR:-/tmp}/vostrel-xvfb.XXXXXX")"
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$numfile" \
    >"$VOSTREL_WINE_ROOT/xvfb.log" 2>&1 &
  VOSTREL_XVFB_PID=$!
  for ((i = 0; i < 100; i++)); do
    [[ -s "$numfile" ]] && break
    if ! kill -0 "$VOSTREL_XVFB_PID" 2>/dev/null; then
      cat "$VOSTREL_WINE_ROOT/xvfb.log" >&2
      rm -f "$numfile"
      VOSTREL_XVFB_PID=""
      vostrel_die "Xvfb did not start"
      return 1
    fi
    sleep 0.1
  done
  if [[ ! -s "$numfile" ]]; then
    rm -f "$numfile"
    vostrel_die "Xvfb gave no display number in 10 s"
    return 1
  fi
  export DISPLAY=":$(tr -dc 0-9 <"$numfile")"
  export VOSTREL_XVFB_PID
  rm -f "$numfile"
}

# Stops what vostrel_wine_env_start started. Safe to call twice.
vostrel_wine_env_stop() {
  if [[ -n "${WINEPREFIX:-}" && "${VOSTREL_WINE_ENV:-}" == 1 ]]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  if [[ -n "${VOSTREL_XVFB_PID:-}" ]]; then
    kill "$VOSTREL_XVFB_PID" 2>/dev/null || true
    wait "$VOSTREL_XVFB_PID" 2>/dev/null || true
    unset DISPLAY
    VOSTREL_XVFB_PID=""
  fi
  if [[ -n "${VOSTREL_SAVED_HOME:-}" ]]; then
    export HOME="$VOSTREL_SAVED_HOME"
    unset VOSTREL_SAVED_HOME
  fi
  unset VOSTREL_WINE_ENV
}

vostrel_wine_env_start "$@"
