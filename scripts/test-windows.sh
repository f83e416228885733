#!/usr/bin/env bash
# Cross-builds for Windows with MinGW-w64 (libjpeg-turbo from Debian's source
# once per build folder, scripts/windows-libjpeg.sh; then the toolkit, the
# picture support, the scan engine, vorrel-scan and their tests), packs
# vorrel-scan.exe, and runs the test programs under Wine in a throwaway prefix
# inside the build folder. Called by ./test; also usable on its own:
# scripts/test-windows.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build-test-windows}
case $build_dir in /*) ;; *) build_dir=$PWD/$build_dir ;; esac
started=$SECONDS

scripts/windows-libjpeg.sh "$build_dir"
libjpeg_built=$SECONDS
libjpeg=$build_dir/libjpeg-turbo/install
# A Debug build without debug information: nothing reads it under Wine, and
# writing and linking it took a fifth of the build's time.
cmake --no-warn-unused-cli -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 -DCMAKE_C_FLAGS_DEBUG=-O0 -DVORREL_WERROR=ON \
      -DJPEG_INCLUDE_DIR="$libjpeg/include" -DJPEG_LIBRARY="$libjpeg/lib/libjpeg.a" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
cmake --build "$build_dir" --target vorrel_windows_package
built=$SECONDS

# One fresh prefix per run, made before any test starts (a first start takes
# a while, and tests started together would race to make it). The server is
# kept running meanwhile, so each test program starts without launching it.
prefix=$build_dir/wineprefix
wine_run=$build_dir/wine-run
# Debian's wine64 alone has no wineserver on the PATH (the wine package adds it).
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
stop_wine() {
    WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
    rm -rf "$prefix"
}
trap stop_wine EXIT
rm -rf "$prefix"
mkdir -p "$prefix"
# The window classes' tests make real windows: Wine's null display driver
# gives them windows without an X display. Set in the user's registry before
# the prefix is made, so that its desktop starts with it.
cat > "$prefix/user.reg" <<'REGISTRY'
WINE REGISTRY Version 2
;; All keys relative to \\User\\S-1-5-21-0-0-0-1000

#arch=win64

[Software\\Wine\\Drivers]
"Graphics"="null"
REGISTRY
WINEPREFIX=$prefix "$wineserver" --persistent=60
"$wine_run" wineboot --init >/dev/null 2>&1
# \\localhost\c$ (the administrative share of drive C:) for the UNC cases.
mkdir -p "$prefix/dosdevices/unc/localhost"
ln -sfn ../../c: "$prefix/dosdevices/unc/localhost/c\$"
prefixed=$SECONDS

ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
echo "Windows part: libjpeg-turbo $((libjpeg_built - started)) s, build $((built - libjpeg_built)) s, Wine prefix $((prefixed - built)) s," \
     "tests $((SECONDS - prefixed)) s"
