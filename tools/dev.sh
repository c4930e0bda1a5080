#!/usr/bin/env bash
# Installs what this project needs from Debian's packages (only what is
# missing), builds, and runs either the demo or every test.
#
#   tools/dev.sh demo   build the simulated host (and what an install copies) and
#                       run the signals example in it
#   tools/dev.sh test   build and run the test suite, plainly, the C++ tests
#                       under valgrind's memcheck, and everything under
#                       AddressSanitizer + UndefinedBehaviorSanitizer
#   tools/dev.sh memcheck  build and run only the C++ tests under memcheck
#   tools/dev.sh bench  build and run the benchmarks (bench/, docs/performance.md)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make googletest swig python3-dev pkg-config mypy libbenchmark-dev)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "installing: ${missing[*]}"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j "$(nproc)" ${2:+--target "$2"}
}

case "${1:-}" in
demo)
    install_missing
    build default installable   # karven-sim, and what cmake --install copies
    ./build/hostsim/sim/karven-sim examples/python/signals_plugin.py
    ;;
test)
    packages+=(valgrind)
    install_missing
    for preset in default sanitize; do
        echo "== $preset build"
        build "$preset"
        ctest --preset "$preset" -j "$(nproc)"
        if [ "$preset" = default ]; then
            echo "== memcheck"
            tools/memcheck.py --build build -j "$(nproc)"
        fi
    done
    ;;
memcheck)
    packages+=(valgrind)
    install_missing
    build default
    tools/memcheck.py --build build -j "$(nproc)"
    ;;
bench)
    install_missing
    build default
    ./build/bench/request_bench
    pythons=$(sed -n 's/^PI_PYTHONS:STRING=//p' build/CMakeCache.txt)
    for python in ${pythons//;/ }; do
        "$python" bench/python_bench.py --build build
    done
    ;;
*)
    echo "usage: $0 demo|test|memcheck|bench" >&2
    exit 2
    ;;
esac
