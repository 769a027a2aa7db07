#!/usr/bin/env bash
# Builds the C libraries the windows lane links statically (libpng, libsndfile) from Debian's
# source packages with the mingw-w64 toolchain, into build/deps/windows, once. The sources come
# through a private apt configuration whose deb-src entries are derived from this machine's own
# Debian sources; the system's apt setup is untouched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/build/deps"
prefix="$deps/windows"
apt_dir="$deps/apt"

have_png() { [ -f "$prefix/lib/libpng16.a" ] && [ -f "$prefix/include/png.h" ]; }
have_sndfile() { [ -f "$prefix/lib/libsndfile.a" ] && [ -f "$prefix/include/sndfile.h" ]; }
have_png && have_sndfile && exit 0

apt_opts=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o "Debug::NoLocking=1"
)

prepare_apt() {
  rm -rf "$apt_dir"
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d"
  # Turn every Debian "deb" source of this machine into a "deb-src" one, in both source formats.
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    grep -qi 'debian' "$f" || continue
    sed -e 's/^Types:.*/Types: deb-src/' "$f" > "$apt_dir/sources.list.d/$(basename "$f")"
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^\s*deb\s' /etc/apt/sources.list | grep -i debian | sed -E 's/^\s*deb\s/deb-src /' \
      > "$apt_dir/sources.list" || true
  fi
  touch "$apt_dir/sources.list"
  apt-get "${apt_opts[@]}" update -qq
}

# fetch_source NAME DIR: unpacks Debian's source package NAME into DIR. The newest version may not
# be served everywhere (security updates), so it falls back suite by suite.
fetch_source() {
  local name=$1 dir=$2 suites pkg
  suites=$(cat "$apt_dir"/sources.list.d/* "$apt_dir/sources.list" 2>/dev/null |
    sed -nE 's/^Suites:\s*//p; s/^deb-src\s+(\[[^]]*\]\s+)?\S+\s+(\S+).*/\2/p' | tr ' ' '\n' |
    grep -v '^$' | sort -u)
  rm -rf "$dir" && mkdir -p "$dir"
  for pkg in "$name" $(for s in $suites; do echo "$name/$s"; done); do
    if (cd "$dir" && apt-get "${apt_opts[@]}" source -qq "$pkg" >/dev/null 2>&1); then
      find "$dir" -maxdepth 1 -mindepth 1 -type d | head -n 1
      return 0
    fi
    rm -rf "${dir:?}"/*
  done
  echo "build-windows-deps: cannot fetch the source of $name" >&2
  return 1
}

# cmake_static NAME SOURCE_DIR CMAKE_ARGS...: configures, builds and installs into the prefix.
cmake_static() {
  local name=$1 src=$2
  shift 2
  cmake -S "$src" -B "$deps/$name-build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_C_FLAGS="-ffp-contract=off" -Wno-dev -Wno-deprecated "$@" >/dev/null
  cmake --build "$deps/$name-build" -j2 >/dev/null
  cmake --install "$deps/$name-build" >/dev/null
  rm -rf "$deps/$name-build" "$deps/$name-src"
  echo "build-windows-deps: $name for Windows in $prefix"
}

prepare_apt
if ! have_png; then
  src=$(fetch_source libpng1.6 "$deps/libpng-src")
  cmake_static libpng "$src" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON
fi
if ! have_sndfile; then
  # WAV and AIFF only: the codec libraries (FLAC, Ogg, Opus, MPEG) are not built for Windows.
  src=$(fetch_source libsndfile "$deps/libsndfile-src")
  cmake_static libsndfile "$src" -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF \
    -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DENABLE_CPACK=OFF -DENABLE_PACKAGE_CONFIG=ON \
    -DINSTALL_MANPAGES=OFF
fi
