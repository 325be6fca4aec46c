# Shared by the scripts: the packages the project needs on Debian 12, a quiet installer that
# only calls apt-get when something is missing, and the one build helper.
M47_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Building and running the window and the tools.
M47_RUN_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-dejavu-core
)
# Added for the tests: GoogleTest and Benchmark, clang with its sanitizer and fuzzer runtime,
# gpsdecode as the independent AIS referee, and for the Debian package and its check
# (scripts/package): manual pages from the programs' help, the package's library dependencies,
# lintian, and the validators of the menu entry and the metainfo.
M47_TEST_PACKAGES=(
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    gpsd-clients
    help2man dpkg-dev file lintian appstream desktop-file-utils
)

# m47_install_packages PACKAGE...: installs those of the packages that are missing. Where apt
# cannot be used (not root and no sudo) it says what is missing and goes on: the build then
# fails on its own if a package it needs is really absent.
m47_install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
            sudo="sudo -n"
        else
            echo "Not installing (needs root or sudo): ${missing[*]}" >&2
            return 0
        fi
    fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# m47_build DIR [cmake options...] [-- targets...]: configures DIR with exactly these options
# (afresh whenever they differ from the last configuration, so a cache never keeps old ones),
# then builds the targets given, or everything.
m47_build() {
    local dir=$1; shift
    local options=() targets=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
    [ "${1:-}" = "--" ] && shift
    targets=("$@")
    local stamp="$dir/.m47-options"
    local wanted
    wanted=$(printf '%s\n' "${options[@]}")
    if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$wanted" ]; then
        rm -f "$dir/CMakeCache.txt"
        cmake -S "$M47_ROOT" -B "$dir" -G Ninja "${options[@]}"
        printf '%s\n' "$wanted" > "$stamp"
    fi
    if [ ${#targets[@]} -gt 0 ]; then
        cmake --build "$dir" -j "$(nproc)" --target "${targets[@]}"
    else
        cmake --build "$dir" -j "$(nproc)"
    fi
}
