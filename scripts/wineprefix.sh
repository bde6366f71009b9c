#!/bin/bash
# Creates a private Wine root for tests or the demo:
#
#   scripts/wineprefix.sh [options] ROOT
#
#   ROOT/prefix   the WINEPREFIX
#   ROOT/home     HOME and XDG_* for every Wine start on it (Wine's Recycle Bin
#                 is $XDG_DATA_HOME/Trash, so it lands here too)
#
# The prefix is made safe: it is created with HOME/XDG_* pointing at a scratch
# home (never the real one), with mscoree/mshtml disabled, and the user
# folders that Wine links to the home folder (Desktop, Documents, Downloads,
# Music, Pictures, Videos, Templates, ...) replaced by real directories. A
# prefix that still has a link out of itself is refused.
#
# wineboot costs about 8 s, so a template is made once per variant under
# build/wine-templates/ (or $VOSTREL_WINE_TEMPLATES) and copied for each ROOT.
# The copy hard-links the large, read-only system folders
# (C:\windows\system32 and C:\windows\winsxs: about 670 MB) and copies the rest,
# which takes well under a second; --copy makes a full copy (about 2 s).
# With hard links, a test must not rewrite files in those two folders in place
# (creating, deleting and renaming files there is fine).
#
# Options:
#   --desktop[=WxH]  use a Wine virtual desktop (default 1024x768) so windows
#                    get frames and captions in screenshots
#   --no-z-drive     remove the Z: drive (which maps the whole Linux file
#                    system); programs outside C: then run from \\?\unix\ paths
#   --fresh          remove ROOT first (only a Wine root made by this script)
#   --copy           full copy of the template instead of hard links
#   --template-only  only make sure the template exists (ROOT not needed)
#   --check          only verify an existing ROOT
#   -q               less output
# Environment: VOSTREL_WINE_TEMPLATES (template cache folder).
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"

usage() {
  sed -n '2,/^set -euo/p' "${BASH_SOURCE[0]}" | sed '$d; s/^# \{0,1\}//'
  exit "${1:-0}"
}

desktop=""
no_z=0
fresh=0
copy_mode=link
template_only=0
check_only=0
quiet=0
root=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    --desktop) desktop=1024x768 ;;
    --desktop=*) desktop="${1#--desktop=}" ;;
    --no-z-drive) no_z=1 ;;
    --fresh) fresh=1 ;;
    --copy) copy_mode=copy ;;
    --template-only) template_only=1 ;;
    --check) check_only=1 ;;
    -q) quiet=1 ;;
    -h | --help) usage 0 ;;
    -*) echo "unknown option $1" >&2; usage 2 >&2 ;;
    *) [[ -z "$root" ]] || usage 2 >&2; root="$1" ;;
  esac
  shift
done
if [[ -n "$desktop" && ! "$desktop" =~ ^[0-9]+x[0-9]+$ ]]; then
  vostrel_die "--desktop wants WIDTHxHEIGHT, not '$desktop'"
fi
[[ $template_only == 1 || -n "$root" ]] || usage 2 >&2

say() { [[ $quiet == 1 ]] || vostrel_log "$@"; }

export VOSTREL_REAL_HOME="${VOSTREL_REAL_HOME:-${HOME:-/root}}"

variant=plain
[[ -z "$desktop" ]] || variant="desktop-$desktop"
templates="${VOSTREL_WINE_TEMPLATES:-$VOSTREL_REPO_ROOT/build/wine-templates}"
template="$templates/$variant"
key="$(vostrel_wine_template_key "$variant")"

# Runs a command in a subshell that sees only the Wine root $1.
in_root() {
  local r="$1"
  shift
  (
    vostrel_wine_export "$r"
    unset DISPLAY
    "$@"
  )
}

make_template() {
  local new="$template.new.$$" log
  rm -rf "$new"
  mkdir -p "$new/home/.local/share" "$new/home/.config" "$new/home/.cache"
  log="$new/wineboot.log"
  say "creating the Wine template '$variant' (about 15 s, once) in $template"
  local t0=$SECONDS
  # HOME and XDG_* point at the scratch home *before* the prefix exists, so
  # Wine's folder links can only point there.
  in_root "$new" wineboot -i >"$log" 2>&1 || { cat "$log" >&2; vostrel_die "wineboot failed"; }
  in_root "$new" wineserver -w
  replace_home_links "$new/prefix"
  install_caption_font "$new/prefix"
  in_root "$new" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >>"$log" 2>&1
  if [[ -n "$desktop" ]]; then
    in_root "$new" wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >>"$log" 2>&1
    in_root "$new" wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d "$desktop" /f >>"$log" 2>&1
  fi
  # Wait for the server to write the registry files and exit.
  in_root "$new" wineserver -w
  grep -q '"Managed"="N"' "$new/prefix/user.reg" || vostrel_die "Managed=N did not reach user.reg"
  if [[ -n "$desktop" ]]; then
    grep -q "\"Default\"=\"$desktop\"" "$new/prefix/user.reg" || vostrel_die "desktop setting did not reach user.reg"
  fi
  VOSTREL_REAL_HOME="$VOSTREL_REAL_HOME" vostrel_wine_verify_prefix "$new/prefix"
  # Wine writes no absolute path of the prefix or its home into the prefix
  # (checked here), so the template can be moved and copied.
  if grep -rqsF "$new" "$new/prefix"/*.reg; then
    vostrel_die "the template's registry mentions its own path; it cannot be copied"
  fi
  echo "$key" >"$new/.vostrel-wine-root"
  rm -rf "$template"
  mv "$new" "$template"
  say "template ready in $((SECONDS - t0)) s"
}

# Wine draws the minimise, maximise and close boxes of a caption with the
# Marlett font. This Wine does not load the fonts of Debian's fonts-wine from
# its data folder (it only lists C:\windows\Fonts and the fontconfig
# folders), so without a copy in the prefix the boxes show the letters
# "0", "1" and "r" in a substitute face.
install_caption_font() {
  local prefix="$1" font=/usr/share/wine/fonts/marlett.ttf
  [[ -f "$font" ]] || vostrel_die "$font is missing (Debian package fonts-wine; scripts/setup.sh installs it)"
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp "$font" "$prefix/drive_c/windows/Fonts/marlett.ttf"
}

# Replaces every link below drive_c that leads out of the prefix (Wine makes
# them for Desktop, Documents, ..., pointing at the home folder) with an empty
# real directory.
replace_home_links() {
  local prefix="$1" link
  while IFS= read -r -d '' link; do
    rm -f "$link"
    mkdir -p "$link"
  done < <(find "$prefix/drive_c" -type l -print0)
}

# Makes the template when it is missing or stale. Returns holding a shared
# lock on the template cache (fd 8), so no other run replaces the template
# while this one copies it; release_template drops it.
ensure_template() {
  mkdir -p "$templates"
  exec 8>"$templates/.lock"
  flock 8
  if [[ ! -f "$template/.vostrel-wine-root" || "$(cat "$template/.vostrel-wine-root")" != "$key" ]]; then
    make_template
  fi
  flock -s 8
}

release_template() {
  flock -u 8
  exec 8>&-
}

# cp -a of each entry of $1 into $2, except the names given after them.
copy_entries() {
  local src="$1" dst="$2" entry name skip
  shift 2
  shopt -s dotglob nullglob
  for entry in "$src"/*; do
    name="$(basename "$entry")"
    for skip in "$@"; do
      [[ "$name" == "$skip" ]] && continue 2
    done
    cp -a "$entry" "$dst/"
  done
  shopt -u dotglob nullglob
}

copy_template() {
  local t="$template/prefix" p="$root/prefix"
  mkdir -p "$root"
  cp -a "$template/home" "$root/home"
  if [[ $copy_mode == copy ]]; then
    cp -a "$t" "$p"
    return
  fi
  mkdir -p "$p/drive_c/windows"
  copy_entries "$t" "$p" drive_c
  copy_entries "$t/drive_c" "$p/drive_c" windows
  copy_entries "$t/drive_c/windows" "$p/drive_c/windows" system32 winsxs
  local big
  for big in system32 winsxs; do
    [[ -d "$t/drive_c/windows/$big" ]] || continue
    cp -al "$t/drive_c/windows/$big" "$p/drive_c/windows/" 2>/dev/null ||
      cp -a "$t/drive_c/windows/$big" "$p/drive_c/windows/"
  done
}

marker_text() {
  echo "$key"
  echo "no-z-drive=$no_z"
}

if [[ $template_only == 1 ]]; then
  ensure_template
  release_template
  exit 0
fi

mkdir -p "$(dirname "$root")"
root="$(cd "$(dirname "$root")" && pwd)/$(basename "$root")"
if [[ "$root" == / || "$root" == "$VOSTREL_REAL_HOME" ]]; then
  vostrel_die "refusing to use $root as a Wine root"
fi

if [[ $check_only == 1 ]]; then
  [[ -f "$root/.vostrel-wine-root" ]] || vostrel_die "$root is not a Wine root made by wineprefix.sh"
  vostrel_wine_verify_prefix "$root/prefix"
  say "$root/prefix is safe"
  exit 0
fi

# One creator per ROOT at a time (parallel test discovery may race here).
exec 9>"$root.lock"
flock 9

if [[ -e "$root" ]]; then
  if [[ ! -f "$root/.vostrel-wine-root" ]]; then
    if [[ -n "$(ls -A "$root")" ]]; then
      vostrel_die "$root exists and is not a Wine root made by wineprefix.sh; not touching it"
    fi
  elif [[ $fresh == 1 || "$(cat "$root/.vostrel-wine-root")" != "$(marker_text)" ]]; then
    # Stop a server still running on the old prefix before removing it.
    if [[ -d "$root/prefix" ]]; then
      in_root "$root" wineserver -k 2>/dev/null || true
    fi
    rm -rf "$root"
  else
    vostrel_wine_quick_check "$root/prefix"
    say "Wine root $root is up to date"
    exit 0
  fi
fi

ensure_template
t0=$(date +%s%N)
copy_template
release_template
[[ $no_z == 0 ]] || rm -f "$root/prefix/dosdevices/z:"
vostrel_wine_verify_prefix "$root/prefix"
marker_text >"$root/.vostrel-wine-root"
say "Wine root $root ready ($variant, $copy_mode, $((($(date +%s%N) - t0) / 1000000)) ms)"
