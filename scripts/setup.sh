#!/bin/bash
# Prepares this machine for building and testing Vostrel. Idempotent: a
# second run only checks and takes well under 5 s.
#
#   scripts/setup.sh [--no-wine-template] [--only packages|jpeg-source]
#
# 1. Installs the missing Debian packages (apt-get update only if something
#    is missing), clang, libFuzzer and llvm-symbolizer for the fuzz targets
#    among them.
# 2. Builds the Windows (mingw-w64, posix threads) versions of the libraries,
#    static, Release, into build/deps-mingw/ (VOSTREL_DEPS_PREFIX), each once
#    (stamp files in build/deps-mingw/.stamps/):
#    - GoogleTest and GoogleMock from Debian's sources in /usr/src/googletest
#    - libjpeg-turbo from `apt-get source libjpeg-turbo` (the version of the
#      native libjpeg62-turbo-dev), with NASM SIMD when NASM works
# 3. Makes the Wine prefix template that test prefixes are copied from
#    (scripts/wineprefix.sh --template-only), unless --no-wine-template.
#
# --only STEP  run one install step and stop: "packages" (step 1) or
#              "jpeg-source" (the deb-src entry and apt-get source of step 2);
#              tests/setup/setup_test.sh runs them against stand-ins for apt.
#
# Environment: VOSTREL_DEPS_PREFIX (default build/deps-mingw),
# VOSTREL_JOBS (default 2), VOSTREL_APT_DIR (apt's configuration folder,
# default /etc/apt).
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$repo/build"
prefix="${VOSTREL_DEPS_PREFIX:-$build/deps-mingw}"
stamps="$prefix/.stamps"
work="${prefix}-build"
sources="${prefix}-src"
toolchain="$repo/cmake/mingw-w64-x86_64.cmake"
jobs="${VOSTREL_JOBS:-2}"
apt_dir="${VOSTREL_APT_DIR:-/etc/apt}"
wine_template=1
only=""
while [[ $# -gt 0 ]]; do
  case "$1" in
    --no-wine-template) wine_template=0 ;;
    --only)
      only="${2:-}"
      [[ $only == packages || $only == jpeg-source ]] || { echo "--only takes packages or jpeg-source" >&2; exit 2; }
      shift ;;
    -h | --help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
  shift
done

# Bump these when the way a library is built changes.
GTEST_RECIPE=1
JPEG_RECIPE=1

required_packages=(
  cmake make g++ libgtest-dev libgmock-dev googletest libjpeg62-turbo-dev libxxhash-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 fonts-wine xvfb x11-utils imagemagick nsis zip nasm dpkg-dev clang-format
  clang libclang-rt-dev llvm
)
# fdupes and jdupes: the duplicate finder's benchmark compares with them.
optional_packages=(ninja-build fdupes jdupes)

t_start=$(date +%s%N)
log() { echo "[setup $(date +%H:%M:%S)] $*" >&2; }
elapsed() { echo "$((($(date +%s%N) - $1) / 1000000)) ms"; }

mkdir -p "$build"
exec 7>"$build/.setup.lock"
flock 7

as_root() {
  if [[ $(id -u) == 0 ]]; then "$@"; else sudo "$@"; fi
}

apt_updated=0
apt_update() {
  if [[ $apt_updated == 0 ]]; then
    log "apt-get update"
    as_root apt-get -o DPkg::Lock::Timeout=300 update -q
    apt_updated=1
  fi
}

apt_install() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -q \
    --no-install-recommends "$@"
}

# Prints the packages of "$@" that are not installed. dpkg-query exits 1 when
# it does not know one of the packages (the normal case on a bare machine), so
# its exit code is ignored and only what it printed decides.
missing_packages() {
  local have
  have="$({ dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "$@" 2>/dev/null || true; } |
    awk '$2 == "ii" {print $1}')"
  local p
  for p in "$@"; do
    grep -qx "$p" <<<"$have" || echo "$p"
  done
}

# ---------------------------------------------------------------- packages
mapfile -t missing < <(missing_packages "${required_packages[@]}")
mapfile -t missing_optional < <(missing_packages "${optional_packages[@]}")
if [[ ${#missing[@]} -gt 0 || ${#missing_optional[@]} -gt 0 ]]; then
  apt_update
  if [[ ${#missing[@]} -gt 0 ]]; then
    log "installing ${missing[*]}"
    t=$(date +%s%N)
    apt_install "${missing[@]}"
    log "installed in $(elapsed "$t")"
  fi
  for p in "${missing_optional[@]}"; do
    apt_install "$p" || log "optional package $p could not be installed; continuing without it"
  done
fi
[[ $only == packages ]] && exit 0

if command -v ninja >/dev/null; then
  generator=Ninja
else
  generator="Unix Makefiles"
fi

toolchain_sum="$(md5sum "$toolchain" | cut -c1-12)"
mkdir -p "$stamps" "$work" "$sources"

# True when the stamp $1 records the key $2 (details may follow it).
stamp_ok() { [[ -f "$stamps/$1" && ( "$(cat "$stamps/$1")" == "$2" || "$(cat "$stamps/$1")" == "$2 "* ) ]]; }

# ---------------------------------------------------------------- GoogleTest
gtest_version="$(dpkg-query -W -f='${Version}' googletest)"
gtest_key="googletest=$gtest_version recipe=$GTEST_RECIPE toolchain=$toolchain_sum"
if [[ -z $only ]] && ! stamp_ok googletest "$gtest_key"; then
  t=$(date +%s%N)
  log "building GoogleTest $gtest_version for mingw-w64 into $prefix"
  gmock=ON
  for gmock in ON OFF; do
    rm -rf "$work/googletest"
    if cmake -S /usr/src/googletest -B "$work/googletest" -G "$generator" \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=$gmock -DINSTALL_GTEST=ON \
      -DBUILD_SHARED_LIBS=OFF >"$work/googletest.log" 2>&1 &&
      cmake --build "$work/googletest" -j "$jobs" >>"$work/googletest.log" 2>&1; then
      break
    fi
    if [[ $gmock == ON ]]; then
      log "GoogleMock did not build for mingw (see $work/googletest.log); building GoogleTest alone"
      cp "$work/googletest.log" "$work/googletest-gmock-failed.log"
    else
      tail -n 40 "$work/googletest.log" >&2
      log "GoogleTest did not build for mingw"
      exit 1
    fi
  done
  cmake --install "$work/googletest" >>"$work/googletest.log" 2>&1
  echo "$gtest_key gmock=$gmock" >"$stamps/googletest"
  log "GoogleTest (gmock $gmock) built in $(elapsed "$t")"
fi

# ---------------------------------------------------------------- libjpeg-turbo
ensure_deb_src() {
  local f
  if grep -qsE '^[[:space:]]*deb-src[[:space:]]' "$apt_dir"/sources.list "$apt_dir"/sources.list.d/*.list ||
    grep -qsE '^Types:.*deb-src' "$apt_dir"/sources.list.d/*.sources; then
    return 0
  fi
  log "no deb-src entry configured; adding $apt_dir/sources.list.d/vostrel-deb-src.sources"
  local out
  out="$(mktemp)"
  # Mirror the Debian entries that are configured, as source entries.
  for f in "$apt_dir"/sources.list.d/*.sources; do
    [[ -f "$f" ]] || continue
    grep -qiE '^URIs:.*debian' "$f" || continue
    awk '
      /^[[:space:]]*#/ { next }
      /^[[:space:]]*$/ { if (stanza != "" && types ~ /(^| )deb( |$)/ && uris ~ /debian/) print stanza "\n"; stanza = ""; types = ""; uris = ""; next }
      /^Types:/ { types = substr($0, 7); stanza = stanza "Types: deb-src\n"; next }
      /^URIs:/ { uris = $0 }
      { stanza = stanza $0 "\n" }
      END { if (stanza != "" && types ~ /(^| )deb( |$)/ && uris ~ /debian/) print stanza }
    ' "$f" >>"$out"
  done
  if [[ -s "$out" ]]; then
    as_root install -m 0644 "$out" "$apt_dir"/sources.list.d/vostrel-deb-src.sources
  else
    # One-line format (sources.list).
    grep -hE '^[[:space:]]*deb[[:space:]].*debian' "$apt_dir"/sources.list "$apt_dir"/sources.list.d/*.list 2>/dev/null |
      sed -E 's/^([[:space:]]*)deb([[:space:]])/\1deb-src\2/' >"$out" || true
    [[ -s "$out" ]] || { rm -f "$out"; log "found no Debian apt entry to mirror as deb-src"; return 1; }
    as_root install -m 0644 "$out" "$apt_dir"/sources.list.d/vostrel-deb-src.list
  fi
  rm -f "$out"
  apt_updated=0
  apt_update
}

jpeg_version="$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev)"
if nasm -v >/dev/null 2>&1; then simd=ON; else simd=OFF; fi
jpeg_key="libjpeg-turbo=$jpeg_version recipe=$JPEG_RECIPE toolchain=$toolchain_sum"
if [[ $only == jpeg-source ]] || ! stamp_ok libjpeg-turbo "$jpeg_key"; then
  t=$(date +%s%N)
  upstream="${jpeg_version#*:}"
  upstream="${upstream%-*}"
  src="$sources/libjpeg-turbo-$upstream"
  if [[ ! -f "$src/CMakeLists.txt" ]]; then
    ensure_deb_src
    # The source index is needed; fetch it only when apt does not know the package yet.
    if [[ $apt_updated == 0 ]] && ! apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package:'; then
      apt_update
    fi
    log "apt-get source libjpeg-turbo=$jpeg_version"
    rm -rf "$src"
    (cd "$sources" && { apt-get source -q "libjpeg-turbo=$jpeg_version" || apt-get source -q libjpeg-turbo; }) \
      >"$work/libjpeg-turbo-source.log" 2>&1 || { cat "$work/libjpeg-turbo-source.log" >&2; exit 1; }
    if [[ ! -f "$src/CMakeLists.txt" ]]; then
      # A different version was fetched: take whatever was unpacked.
      src="$(ls -d "$sources"/libjpeg-turbo-*/ 2>/dev/null | tail -n1)"
      src="${src%/}"
      [[ -f "$src/CMakeLists.txt" ]] || { log "apt-get source gave no libjpeg-turbo tree"; exit 1; }
    fi
  fi
  [[ $only == jpeg-source ]] && exit 0
  log "building libjpeg-turbo from $src for mingw-w64 (SIMD $simd)"
  for try_simd in $simd OFF; do
    rm -rf "$work/libjpeg-turbo"
    if cmake -S "$src" -B "$work/libjpeg-turbo" -G "$generator" \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
      -DWITH_TURBOJPEG=OFF -DWITH_SIMD=$try_simd -DREQUIRE_SIMD=$try_simd \
      >"$work/libjpeg-turbo.log" 2>&1 &&
      cmake --build "$work/libjpeg-turbo" --target jpeg-static -j "$jobs" >>"$work/libjpeg-turbo.log" 2>&1; then
      simd=$try_simd
      break
    fi
    if [[ $try_simd == OFF ]]; then
      tail -n 40 "$work/libjpeg-turbo.log" >&2
      log "libjpeg-turbo did not build for mingw"
      exit 1
    fi
    log "libjpeg-turbo with SIMD failed (see $work/libjpeg-turbo.log); trying without"
    cp "$work/libjpeg-turbo.log" "$work/libjpeg-turbo-simd-failed.log"
  done
  # Only the static library and its four headers are needed (FindJPEG).
  mkdir -p "$prefix/lib" "$prefix/include"
  install -m 0644 "$work/libjpeg-turbo/libjpeg.a" "$prefix/lib/libjpeg.a"
  install -m 0644 "$work/libjpeg-turbo/jconfig.h" "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" \
    "$prefix/include/"
  echo "$jpeg_key simd=$simd" >"$stamps/libjpeg-turbo"
  log "libjpeg-turbo built in $(elapsed "$t")"
fi

# ---------------------------------------------------------------- Wine template
if [[ $wine_template == 1 ]]; then
  "$repo/scripts/wineprefix.sh" -q --template-only
fi

log "setup done in $(elapsed "$t_start") (deps in $prefix)"
