#!/bin/bash
# ctest: the Wine root that the Windows tests run in is private and safe.
#   check_wine_root.sh BUILD_DIR WINE_RUN
set -euo pipefail
build="$1"
wine_run="$2"
scripts="$(dirname "$wine_run")"

# Starting a program makes sure the root exists (wine-run.sh creates it).
"$wine_run" cmd /c exit 0

if [[ "${VOSTREL_WINE_ENV:-}" == 1 ]]; then
  root="$VOSTREL_WINE_ROOT"
  [[ "$HOME" == "$root/home" ]] || { echo "HOME is $HOME, not $root/home" >&2; exit 1; }
  [[ "$WINEPREFIX" == "$root/prefix" ]] || { echo "WINEPREFIX is $WINEPREFIX" >&2; exit 1; }
  [[ "${WINEDEBUG:-}" == -all ]] || { echo "WINEDEBUG is '${WINEDEBUG:-}'" >&2; exit 1; }
else
  root="${VOSTREL_WINE_ROOT:-$build/wine-default}"
fi
"$scripts/wineprefix.sh" --check "$root"

# What Wine itself reports as the profile folder lies in the private prefix.
profile="$("$wine_run" cmd /c echo %USERPROFILE% | tr -d '\r')"
unix_profile="$(cd "$root/prefix/drive_c/users" && echo "$PWD/${profile##*\\}")"
[[ -d "$unix_profile" && ! -L "$unix_profile" ]] || { echo "profile $profile not in $root" >&2; exit 1; }
for name in Desktop Documents Downloads Music Pictures Videos; do
  if [[ -L "$unix_profile/$name" ]]; then
    echo "$unix_profile/$name is a link" >&2
    exit 1
  fi
done
# Caption boxes draw with Marlett, which the root must carry itself.
[[ -f "$root/prefix/drive_c/windows/Fonts/marlett.ttf" ]] || { echo "no marlett.ttf in $root" >&2; exit 1; }
echo "Wine root $root is private (profile $profile) and draws caption boxes with Marlett"
