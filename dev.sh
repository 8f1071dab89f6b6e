#!/usr/bin/env bash
# Set-up, build, run and test filter2 on Debian 12 (run as root on a fresh machine, or as a
# user with the packages already installed).
#   bash dev.sh run    install what is missing, build the release preset, start the program
#   bash dev.sh test   install what is missing, build, run every test (ctest): release, then the
#                      sanitizer build, then half a minute of fuzzing per fuzz target
set -euo pipefail
cd "$(dirname "$0")"

RUNTIME_PACKAGES=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-image-dev libfreetype-dev
                  libfontconfig-dev libfmt-dev libpng-dev fonts-liberation fonts-dejavu-core help2man
                  libwayland-dev wayland-protocols libegl-mesa0 libgl1-mesa-dri zenity)
# clang and its runtimes build the fuzz targets; llvm brings llvm-symbolizer, which turns
# sanitizer reports into file:line.
# openbox and wmctrl give the end-to-end tests a window manager; desktop-file-utils, appstream,
# dpkg-dev and python3 check the desktop entry, the metainfo, the package and the icons;
# valgrind runs the leak check.
# help2man (above) writes the manual page from --help; ngspice simulates the netlists;
# debootstrap makes the clean Debian 12 root the package is installed on.
# On Wayland (above) the window draws through EGL (Mesa's software rasteriser without a GPU) and
# SDL shows message boxes with zenity. The Wayland end-to-end tests run sway headless, take
# screenshots with grim and type through a virtual keyboard of their own (xkbcommon, xkb-data).
TEST_PACKAGES=(googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool imagemagick
               x11-utils clang libclang-rt-14-dev llvm openbox wmctrl desktop-file-utils appstream
               dpkg-dev python3 valgrind ngspice debootstrap sway grim libxkbcommon-dev xkb-data)

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
    # Three builds and three test runs, each under an X display of its own (the GUI and
    # end-to-end tests need one): release runs every test; asan (AddressSanitizer and
    # UndefinedBehaviorSanitizer) runs the unit and gui tests; fuzz (clang, libFuzzer) fuzzes
    # each target for half a minute. Every run goes ahead even when an earlier one failed; the exit
    # status is non-zero when any failed, and a failed run's summary is repeated at the end.
    failed=()
    last_status=0
    run_tests() {
        local preset=$1
        shift
        echo "==== ctest --preset $preset"
        last_status=0
        xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$preset" -j2 "$@" 2>&1 |
            tee "build/$preset/ctest.log" || last_status=$?
        ((last_status == 0)) || failed+=("$preset")
    }
    cmake --preset release -DFILTER2_BUILD_TESTS=ON >/dev/null
    cmake --build --preset release
    run_tests release "${@:2}"
    cmake --preset asan -DFILTER2_BUILD_TESTS=ON >/dev/null
    cmake --build --preset asan
    run_tests asan "${@:2}"
    cmake --preset fuzz -DFILTER2_BUILD_TESTS=ON >/dev/null
    cmake --build --preset fuzz --target fuzz_targets
    run_tests fuzz "${@:2}"
    if ((${#failed[@]})); then
        if ((last_status == 0)); then
            for preset in "${failed[@]}"; do
                echo "==== ctest --preset $preset failed:"
                sed -n '/tests passed, /,$p' "build/$preset/ctest.log"
            done
        fi
        exit 1
    fi
    ;;
*)
    echo "usage: bash dev.sh run|test" >&2
    exit 2
    ;;
esac
