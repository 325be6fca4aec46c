# Shared by the scripts: the packages the project needs on Debian 12, and a quiet installer
# that only calls apt-get when something is missing, so a second run takes no time.
M47_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

M47_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-serialport-dev qt6-charts-dev
    libgl-dev libudev-dev
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth socat imagemagick fonts-dejavu-core
    gpsd-clients
)

m47_install_packages() {
    local missing=()
    local pkg
    for pkg in "${M47_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# m47_build DIR [cmake options...]: configure once, then build incrementally.
m47_build() {
    local dir=$1; shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$M47_ROOT" -B "$dir" -G Ninja "$@"
    fi
    cmake --build "$dir" -j "$(nproc)"
}
