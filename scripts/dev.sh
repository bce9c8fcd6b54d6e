#!/bin/sh
# Sets up a Debian 12 machine for Velloran, builds it, and starts it or runs every test.
#   scripts/dev.sh run    install what is missing, build, start the program
#   scripts/dev.sh test   install what is missing, build (plain and sanitized), run every test
set -eu

cd "$(dirname "$0")/.."
mode="${1:-}"

build_packages="cmake ninja-build g++ pkg-config qt6-base-dev libgtest-dev libgmock-dev \
libbenchmark-dev libjpeg62-turbo-dev fonts-liberation"
test_packages="locales xvfb xauth xdotool imagemagick clang libclang-rt-14-dev"

install_missing() {
    missing=""
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
            missing="$missing $package"
        fi
    done
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        # shellcheck disable=SC2086
        apt-get install -y -qq --no-install-recommends $missing
    fi
}

# The tests run once more under a decimal-comma locale.
ensure_comma_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        localedef -i de_DE -f UTF-8 de_DE.UTF-8
    fi
}

configure_and_build() {
    directory="$1"
    shift
    cmake -S . -B "$directory" -G Ninja "$@" >/dev/null
    cmake --build "$directory"
}

case "$mode" in
run)
    # shellcheck disable=SC2086
    install_missing $build_packages
    configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    exec build/app/velloran
    ;;
test)
    # shellcheck disable=SC2086
    install_missing $build_packages $test_packages
    ensure_comma_locale
    configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ctest --test-dir build --output-on-failure
    configure_and_build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELLORAN_SANITIZE=ON
    ctest --test-dir build-sanitize --output-on-failure
    echo "All tests passed."
    ;;
*)
    echo "usage: scripts/dev.sh run|test" >&2
    exit 2
    ;;
esac
