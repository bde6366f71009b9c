# Shared helpers for the Wine scripts. Sourced, never run.
#
# A "Wine root" is a folder that holds one private Wine installation:
#   ROOT/prefix/             WINEPREFIX
#   ROOT/home/               HOME (and XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME
#                            below it), so Wine's links and its Recycle Bin
#                            (the freedesktop trash) never reach the real home
#   ROOT/.vostrel-wine-root  marker: the template key the prefix was made from
# Nothing here ever writes to the caller's real $HOME.

VOSTREL_REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VOSTREL_SCRIPTS="$VOSTREL_REPO_ROOT/scripts"

# DLL overrides used for every Wine start: no Mono/Gecko install prompts, no
# mshtml file associations, and no winemenubuilder writing .desktop files.
VOSTREL_WINEDLLOVERRIDES_DEFAULT="mscoree,mshtml=;winemenubuilder.exe=d"

# The user-folder names that Wine links to the Linux home folder.
VOSTREL_WINE_HOME_LINKS=(Desktop Documents Downloads Music Pictures Videos Templates
  "My Documents" "My Music" "My Pictures" "My Videos" Favorites)

vostrel_die() {
  echo "error: $*" >&2
  return 1
}

vostrel_log() {
  echo "[$(date +%H:%M:%S)] $*" >&2
}

# Exports the environment that makes Wine use ROOT and nothing else.
vostrel_wine_export() {
  local root="$1"
  export VOSTREL_WINE_ROOT="$root"
  export WINEPREFIX="$root/prefix"
  export VOSTREL_WINE_HOME="$root/home"
  export HOME="$VOSTREL_WINE_HOME"
  export XDG_DATA_HOME="$VOSTREL_WINE_HOME/.local/share"
  export XDG_CONFIG_HOME="$VOSTREL_WINE_HOME/.config"
  export XDG_CACHE_HOME="$VOSTREL_WINE_HOME/.cache"
  export VOSTREL_TRASH_DIR="$XDG_DATA_HOME/Trash"
  export WINEDEBUG="${VOSTREL_WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${VOSTREL_WINEDLLOVERRIDES:-$VOSTREL_WINEDLLOVERRIDES_DEFAULT}"
  export WINEARCH=win64
  unset WINELOADER WINESERVER
}

# Bump when the way templates are made changes (what wineboot gets, the
# registry settings, the link replacement): stale templates and the roots
# copied from them are then rebuilt instead of reused.
VOSTREL_WINE_TEMPLATE_VERSION=3

# The template key: changes with Wine's version and the template version.
vostrel_wine_template_key() {
  local variant="$1" wine_version
  wine_version="$(dpkg-query -W -f='${Version}' wine64 2>/dev/null || wine --version 2>/dev/null)"
  echo "wine=$wine_version template=$VOSTREL_WINE_TEMPLATE_VERSION variant=$variant"
}

# Fails loudly when PREFIX has a link that leads out of it (into the real
# home folder or anywhere else). Allowed: dosdevices/c: -> ../drive_c, the
# z: drive -> /, and device links (com1 -> /dev/ttyS0 ...).
vostrel_wine_verify_prefix() {
  local prefix="$1" bad=0 link target
  [[ -d "$prefix/drive_c/users" ]] || vostrel_die "$prefix is not a Wine prefix" || return 1
  while IFS= read -r -d '' link; do
    target="$(readlink "$link")"
    case "${link#"$prefix"/}" in
      dosdevices/c:) [[ "$target" == ../drive_c ]] && continue ;;
      dosdevices/z:) [[ "$target" == / ]] && continue ;;
      dosdevices/*) [[ "$target" == /dev/* ]] && continue ;;
    esac
    echo "error: link out of the Wine prefix: $link -> $target" >&2
    bad=1
  done < <(find "$prefix" -type l -print0)
  if [[ -n "${VOSTREL_REAL_HOME:-}" && "$VOSTREL_REAL_HOME" != / ]]; then
    # Belt and braces: nothing in the prefix may resolve into the real home.
    while IFS= read -r -d '' link; do
      target="$(readlink -f "$link" || true)"
      if [[ "$target" == "$VOSTREL_REAL_HOME" || "$target" == "$VOSTREL_REAL_HOME"/* ]]; then
        echo "error: link into the real home folder: $link -> $target" >&2
        bad=1
      fi
    done < <(find "$prefix/drive_c" -type l -print0)
  fi
  [[ $bad == 0 ]] || vostrel_die "unsafe Wine prefix $prefix (see above)"
}

# The cheap check done before every Wine start: the user folders that Wine
# links to the home folder must be real directories.
vostrel_wine_quick_check() {
  local prefix="$1" user name
  for user in "$prefix"/drive_c/users/*/; do
    for name in "${VOSTREL_WINE_HOME_LINKS[@]}"; do
      if [[ -L "$user$name" ]]; then
        vostrel_die "$user$name is a link ($(readlink "$user$name")); refusing to run Wine on this prefix"
        return 1
      fi
    done
  done
}

# The folder Windows calls %USERPROFILE% (C:\users\<linux user>) of PREFIX.
vostrel_wine_profile_dir() {
  local prefix="$1" dir
  for dir in "$prefix"/drive_c/users/*/; do
    dir="${dir%/}"
    [[ "$(basename "$dir")" == Public ]] && continue
    echo "$dir"
    return 0
  done
  return 1
}
