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
# The Windows build and its tests: the MinGW-w64 cross compiler, GoogleTest's
# sources to build for Windows, Wine to run them, and what builds Debian's
# libjpeg-turbo source for Windows (dpkg-source unpacks it, nasm assembles its
# SIMD code), and icoutils, which makes the program's .ico from its PNG.
VORREL_WINDOWS_PACKAGES=(
    g++-mingw-w64-x86-64
    g++-mingw-w64-x86-64-posix
    googletest
    wine64
    dpkg-dev
    nasm
    icoutils
)

vorrel_missing_packages() {
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            printf '%s\n' "$package"
        fi
    done
}

vorrel_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "error: need root (or sudo) for: $*" >&2
        return 1
    fi
}

# Makes `apt-get source PACKAGE` work: when apt knows no source record for it,
# adds Debian's source archive for this release's main suite alone, in a file
# of its own beside the binary sources (which stay as they are), and updates
# the package lists. Does nothing when the record is already known.
vorrel_ensure_source_archive() {
    local package=$1
    apt-cache showsrc "$package" 2>/dev/null | grep -q '^Package:' && return 0

    local codename list=/etc/apt/sources.list.d/vorrel-debian-source.sources
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "Enabling Debian's source archive ($codename main) for $package"
    printf '%s\n' \
        '# Added by Vorrel'"'"'s scripts/packages.sh: the Windows build compiles' \
        '# Debian'"'"'s own libjpeg-turbo source (apt-get source libjpeg-turbo).' \
        'Types: deb-src' \
        'URIs: http://deb.debian.org/debian' \
        "Suites: $codename" \
        'Components: main' \
        'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
        vorrel_as_root tee "$list" >/dev/null
    vorrel_as_root apt-get update -qq
    apt-cache showsrc "$package" 2>/dev/null | grep -q '^Package:' ||
        { echo "error: no source record for $package after enabling $list" >&2; return 1; }
}

vorrel_ensure_packages() {
    local missing
    mapfile -t missing < <(vorrel_missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    vorrel_as_root apt-get update -qq
    vorrel_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
