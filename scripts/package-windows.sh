#!/usr/bin/env bash
# Builds Vorrel for 64-bit Windows (Release, statically linked: the window
# program vorrel.exe and vorrel-scan.exe) and packs them with the HTML manual
# and HOW-TO-RUN.txt into vorrel-<version>-windows-x64.zip in the build
# folder. Usage: scripts/package-windows.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
vorrel_ensure_packages cmake make nlohmann-json3-dev "${VORREL_WINDOWS_BUILD_PACKAGES[@]}"

build_dir=${1:-build-windows}
case $build_dir in /*) ;; *) build_dir=$PWD/$build_dir ;; esac
scripts/windows-libjpeg.sh "$build_dir"
libjpeg=$build_dir/libjpeg-turbo/install
cmake --no-warn-unused-cli -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DVORREL_BUILD_TESTS=OFF \
      -DJPEG_INCLUDE_DIR="$libjpeg/include" -DJPEG_LIBRARY="$libjpeg/lib/libjpeg.a"
cmake --build "$build_dir" -j"$(nproc)" --target vorrel_windows_package
ls "$build_dir"/vorrel-*-windows-x64.zip
