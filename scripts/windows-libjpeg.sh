#!/usr/bin/env bash
# Cross-compiles Debian's own libjpeg-turbo source for 64-bit Windows as a
# static library, once per build folder:
#   BUILD_DIR/libjpeg-turbo/source   `apt-get source libjpeg-turbo` (apt checks
#                                    the files against the archive's signed
#                                    index; dpkg-source unpacks and patches)
#   BUILD_DIR/libjpeg-turbo/build    its CMake build
#   BUILD_DIR/libjpeg-turbo/install  lib/libjpeg.a, include/, bin/djpeg.exe ...
# Later runs find install/.complete and do nothing. SIMD code is built when
# nasm is installed, else the portable C code alone.
# Usage: scripts/windows-libjpeg.sh BUILD_DIR (prints nothing else on reuse)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

build_dir=${1:?usage: scripts/windows-libjpeg.sh BUILD_DIR}
case $build_dir in /*) ;; *) build_dir=$PWD/$build_dir ;; esac
root=$build_dir/libjpeg-turbo
install=$root/install
[ -e "$install/.complete" ] && exit 0

started=$SECONDS
vorrel_ensure_source_archive libjpeg-turbo
rm -rf "$root"
mkdir -p "$root/source"
# apt runs its download as the unprivileged _apt user, who may not write
# here; the files are checked against the signed index either way.
(cd "$root/source" && apt-get source -qq -o APT::Sandbox::User=root libjpeg-turbo >/dev/null)
source_tree=$(find "$root/source" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[ -n "$source_tree" ] || { echo "error: apt-get source unpacked no libjpeg-turbo-* folder in $root/source" >&2; exit 1; }
fetched=$SECONDS

simd=OFF
command -v nasm >/dev/null 2>&1 && simd=ON
# The library's CMake needs an absolute install prefix; a relative one falls
# back to a c:/ default.
cmake -S "$source_tree" -B "$root/build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$install" \
      -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=$simd \
      -DCMAKE_ASM_NASM_COMPILER=nasm >"$root/configure.log" 2>&1 ||
    { cat "$root/configure.log" >&2; exit 1; }
cmake --build "$root/build" -j"$(nproc)" >"$root/build.log" 2>&1 || { tail -n 40 "$root/build.log" >&2; exit 1; }
cmake --install "$root/build" >"$root/install.log" 2>&1 || { cat "$root/install.log" >&2; exit 1; }
touch "$install/.complete"
echo "libjpeg-turbo for Windows (SIMD $simd): source $((fetched - started)) s, build $((SECONDS - fetched)) s"
