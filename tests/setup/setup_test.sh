#!/bin/bash
# Runs scripts/setup.sh against stand-ins for dpkg-query, apt-get and
# apt-cache, as on a bare Debian machine and as on a prepared one, and checks
# what it asked apt to do. Nothing is installed and /etc/apt is not touched.
#
#   tests/setup/setup_test.sh [REPO]
set -euo pipefail

repo="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
setup="$repo/scripts/setup.sh"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# make_stubs DIR MODE: MODE "bare" knows no package, "ready" has them all.
make_stubs() {
  local dir="$1" mode="$2"
  mkdir -p "$dir"
  cat >"$dir/dpkg-query" <<STUB
#!/bin/bash
# Stand-in for dpkg-query -W: "bare" knows nothing (and exits 1, as the
# real one does for unknown packages), "ready" reports every package.
mode=$mode
format=""
args=()
for a in "\$@"; do
  case "\$a" in
    -W) ;;
    -f=*) format="\${a#-f=}" ;;
    *) args+=("\$a") ;;
  esac
done
if [[ \$mode == bare ]]; then
  for a in "\${args[@]}"; do echo "dpkg-query: no packages found matching \$a" >&2; done
  exit 1
fi
case "\$format" in
  *db:Status-Abbrev*) for a in "\${args[@]}"; do echo "\$a ii "; done ;;
  *source:Version*) printf '1:2.1.5-2' ;;
  *) printf '1.12.1-0.2' ;;
esac
STUB
  cat >"$dir/apt-get" <<'STUB'
#!/bin/bash
# Stand-in for apt-get: records its arguments; "source" unpacks a fake tree.
echo "$*" >>"$APT_LOG"
if [[ " $* " == *" source "* ]]; then
  mkdir -p libjpeg-turbo-2.1.5 && touch libjpeg-turbo-2.1.5/CMakeLists.txt
fi
exit 0
STUB
  printf '#!/bin/bash\nexit 0\n' >"$dir/apt-cache"
  chmod +x "$dir"/*
}

# run_setup STUBS LOG ARGS...: setup.sh with the stand-ins first on PATH.
run_setup() {
  local stubs="$1" log="$2"
  shift 2
  : >"$log"
  PATH="$stubs:$PATH" APT_LOG="$log" VOSTREL_APT_DIR="$tmp/apt" \
    VOSTREL_DEPS_PREFIX="$tmp/deps" bash "$setup" --no-wine-template "$@" >"$log.out" 2>&1
}

mkdir -p "$tmp/apt/sources.list.d"
cat >"$tmp/apt/sources.list.d/debian.sources" <<'EOF2'
Types: deb
URIs: http://deb.example.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF2

# A bare machine: every required package is installed, after an update.
make_stubs "$tmp/bare" bare
if run_setup "$tmp/bare" "$tmp/bare.log" --only packages; then
  grep -q ' update' "$tmp/bare.log" || fail "bare machine: no apt-get update"
  install_line="$(grep ' install ' "$tmp/bare.log" | head -n1 || true)"
  for p in g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb nsis zip cmake libgtest-dev; do
    [[ " $install_line " == *" $p "* ]] || fail "bare machine: apt-get install does not name $p ($install_line)"
  done
  [[ "$(grep -n ' update' "$tmp/bare.log" | head -n1 | cut -d: -f1)" -lt \
    "$(grep -n ' install ' "$tmp/bare.log" | head -n1 | cut -d: -f1)" ]] ||
    fail "bare machine: install ran before update"
else
  fail "bare machine: setup.sh --only packages failed: $(tail -n5 "$tmp/bare.log.out")"
fi

# A prepared machine: apt-get is never called.
make_stubs "$tmp/ready" ready
if run_setup "$tmp/ready" "$tmp/ready.log" --only packages; then
  [[ ! -s "$tmp/ready.log" ]] || fail "prepared machine: apt-get was called: $(cat "$tmp/ready.log")"
else
  fail "prepared machine: setup.sh --only packages failed: $(tail -n5 "$tmp/ready.log.out")"
fi

# No deb-src entry: one is added beside the Debian entry, the index is
# updated and the library's sources are fetched.
if run_setup "$tmp/ready" "$tmp/src.log" --only jpeg-source; then
  added="$tmp/apt/sources.list.d/vostrel-deb-src.sources"
  grep -q '^Types: deb-src' "$added" 2>/dev/null || fail "no deb-src entry was added"
  grep -q '^URIs: http://deb.example.org/debian' "$added" 2>/dev/null || fail "the deb-src entry names another mirror"
  grep -q ' update' "$tmp/src.log" || fail "no apt-get update after adding deb-src"
  grep -q 'source -q libjpeg-turbo' "$tmp/src.log" || fail "apt-get source libjpeg-turbo was not run"
else
  fail "setup.sh --only jpeg-source failed: $(tail -n5 "$tmp/src.log.out")"
fi

if [[ $failures -gt 0 ]]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "setup installs what a bare machine lacks and nothing on a prepared one"
