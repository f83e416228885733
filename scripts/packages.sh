# Sourced by ./run and ./test. Installs the Debian packages that Vorrel
# needs to build, test and run, but only when one of them is missing, so a
# machine that already has everything never touches apt.

VORREL_BUILD_PACKAGES=(
    g++ cmake make pkg-config
    qt6-base-dev
    libjpeg-dev
    libicu-dev
    nlohmann-json3-dev
    fonts-dejavu-core
)
VORREL_TEST_PACKAGES=(
    libgtest-dev
    libjpeg-turbo-progs
)
# The Windows build of vorrel-scan and its tests: the MinGW-w64 cross
# compiler, GoogleTest's sources to build for Windows, and Wine to run them.
VORREL_WINDOWS_PACKAGES=(
    g++-mingw-w64-x86-64
    g++-mingw-w64-x86-64-posix
    googletest
    wine64
)

vorrel_missing_packages() {
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            printf '%s\n' "$package"
        fi
    done
}

vorrel_ensure_packages() {
    local missing
    mapfile -t missing < <(vorrel_missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null 2>&1 || { echo "error: need root (or sudo) to install: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
