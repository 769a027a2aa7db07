#!/usr/bin/env bash
# Builds Debian's libpng1.6 source package with the mingw-w64 toolchain as a static library into
# build/deps/windows, once. The source comes through a private apt configuration whose deb-src
# entries are derived from this machine's own Debian sources; the system's apt setup is untouched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/build/deps"
prefix="$deps/windows"
[ -f "$prefix/lib/libpng16.a" ] && [ -f "$prefix/include/png.h" ] && exit 0

work="$deps/libpng-src"
apt_dir="$deps/apt"
rm -rf "$work" "$apt_dir"
mkdir -p "$work" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d"

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

apt_opts=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o "Debug::NoLocking=1"
)
apt-get "${apt_opts[@]}" update -qq
# The newest source may not be served everywhere (security updates); fall back suite by suite.
suites=$(cat "$apt_dir"/sources.list.d/* "$apt_dir/sources.list" 2>/dev/null |
  sed -nE 's/^Suites:\s*//p; s/^deb-src\s+(\[[^]]*\]\s+)?\S+\s+(\S+).*/\2/p' | tr ' ' '\n' | grep -v '^$' | sort -u)
for spec in libpng1.6 $(for s in $suites; do echo "libpng1.6/$s"; done); do
  if (cd "$work" && apt-get "${apt_opts[@]}" source -qq "$spec" >/dev/null 2>&1); then break; fi
  rm -rf "${work:?}"/*
done
src=$(find "$work" -maxdepth 1 -type d -name 'libpng1.6-*' | head -n 1)
[ -n "$src" ] || { echo "build-windows-libpng: no libpng1.6 source unpacked" >&2; exit 1; }

cmake -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
  -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON \
  -DCMAKE_C_FLAGS="-ffp-contract=off" >/dev/null
cmake --build "$work/build" -j2 >/dev/null
cmake --install "$work/build" >/dev/null
rm -rf "$work"
echo "build-windows-libpng: libpng for Windows in $prefix"
