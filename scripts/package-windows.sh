#!/usr/bin/env bash
# Builds vorrel-scan.exe for 64-bit Windows (Release, statically linked) and
# packs it with HOW-TO-RUN.txt into vorrel-scan-<version>-windows-x64.zip in
# the build folder. Usage: scripts/package-windows.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
vorrel_ensure_packages cmake make g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix nlohmann-json3-dev dpkg-dev nasm

build_dir=${1:-build-windows}
case $build_dir in /*) ;; *) build_dir=$PWD/$build_dir ;; esac
scripts/windows-libjpeg.sh "$build_dir"
libjpeg=$build_dir/libjpeg-turbo/install
cmake --no-warn-unused-cli -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DVORREL_BUILD_TESTS=OFF \
      -DJPEG_INCLUDE_DIR="$libjpeg/include" -DJPEG_LIBRARY="$libjpeg/lib/libjpeg.a"
cmake --build "$build_dir" -j"$(nproc)" --target vorrel_windows_package
ls "$build_dir"/vorrel-scan-*-windows-x64.zip
