#!/usr/bin/env bash
# Set-up, build, run and test filter2 on Debian 12 (run as root on a fresh machine, or as a
# user with the packages already installed).
#   bash dev.sh run    install what is missing, build the release preset, start the program
#   bash dev.sh test   install what is missing, build, run every test (ctest)
set -euo pipefail
cd "$(dirname "$0")"

RUNTIME_PACKAGES=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-image-dev libfreetype-dev
                  libfontconfig-dev libfmt-dev libpng-dev fonts-liberation fonts-dejavu-core)
TEST_PACKAGES=(googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool imagemagick
               x11-utils clang libclang-rt-14-dev)

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        if [[ $(id -u) -ne 0 ]]; then
            echo "missing packages (install them as root): ${missing[*]}" >&2
            exit 1
        fi
        echo "installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

case "${1:-}" in
run)
    install_missing "${RUNTIME_PACKAGES[@]}"
    cmake --preset release -DFILTER2_BUILD_TESTS=OFF >/dev/null
    cmake --build --preset release --target filter2
    exec ./build/release/app/filter2
    ;;
test)
    install_missing "${RUNTIME_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    cmake --preset release -DFILTER2_BUILD_TESTS=ON >/dev/null
    cmake --build --preset release
    # GUI and end-to-end tests need an X display; xvfb-run gives them one of their own.
    xvfb-run -a -s "-screen 0 1280x1024x24" \
        ctest --preset release --output-on-failure -j2 "${@:2}"
    ;;
*)
    echo "usage: bash dev.sh run|test" >&2
    exit 2
    ;;
esac
