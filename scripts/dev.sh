#!/bin/sh
# Sets up a Debian 12 machine for Velloran, builds it, and starts it or runs every test.
#   scripts/dev.sh run      install what is missing, build, start the program
#   scripts/dev.sh package  install what is missing, build, make the Debian package
#                           build-package/velloran_<version>_<arch>.deb
#   scripts/dev.sh test     install what is missing, build (plain and sanitized), run every
#                           test (the package's among them), then build the fuzz targets with
#                           clang and run each for a while
set -eu

cd "$(dirname "$0")/.."
mode="${1:-}"

build_packages="cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev \
libbenchmark-dev libjpeg62-turbo-dev libcli11-dev libhwy-dev libnlopt-cxx-dev fonts-liberation"
# cpack's DEB generator: dpkg-shlibdeps works out the package's Depends, file finds the programs
# among the files.
package_packages="dpkg-dev file"
# The validators of what the package ships: desktop entry, AppStream metadata, manual pages,
# bash completion, the archive's checker; a window manager and xprop for the desktop tests.
test_packages="locales xvfb xauth xdotool imagemagick x11-utils openbox clang libclang-rt-14-dev \
desktop-file-utils appstream man-db groff-base bash-completion lintian"

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

# Each fuzz target runs for a bounded time over a copy of its seeds in the build folder, so the
# corpus in the repository never changes. A crash, a sanitizer report, a failed property or an
# input that hangs fails the command; the input that did it is kept in build-fuzz/crashes/.
fuzz_targets="FieldNumberFuzzer GunDataReaderFuzzer ShotEngineFuzzer"
fuzz_seconds=20

build_and_run_fuzzers() {
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVELLORAN_WERROR=ON -DVELLORAN_FUZZ=ON -DVELLORAN_TESTS=OFF -DVELLORAN_BENCHMARKS=OFF >/dev/null
    cmake --build build-fuzz --target velloran_fuzzers
    mkdir -p build-fuzz/corpus build-fuzz/crashes
    for target in $fuzz_targets; do
        corpus="build-fuzz/corpus/$target"
        log="build-fuzz/$target.log"
        rm -rf "$corpus"
        cp -R "tests/fuzz/corpus/$target" "$corpus"
        echo "Fuzzing $target for ${fuzz_seconds} s"
        if ! UBSAN_OPTIONS=print_stacktrace=1 "build-fuzz/tests/fuzz/$target" \
            -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="build-fuzz/crashes/$target-" "$corpus" >"$log" 2>&1; then
            tail -n 60 "$log"
            echo "$target failed; its log is $log" >&2
            return 1
        fi
        grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$log"
    done
}

case "$mode" in
run)
    # shellcheck disable=SC2086
    install_missing $build_packages
    # A user's build: a warning of a newer compiler must not stop it.
    configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_WERROR=OFF
    exec build/app/velloran
    ;;
package)
    # shellcheck disable=SC2086
    install_missing $build_packages $package_packages
    # The build the tests run on, without the tests, in a folder of its own.
    configure_and_build build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_WERROR=OFF \
        -DVELLORAN_TESTS=OFF -DVELLORAN_BENCHMARKS=OFF
    (cd build-package && cpack -G DEB)
    ;;
test)
    # shellcheck disable=SC2086
    install_missing $build_packages $package_packages $test_packages
    ensure_comma_locale
    configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLORAN_WERROR=ON
    ctest --test-dir build --output-on-failure
    configure_and_build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELLORAN_SANITIZE=ON \
        -DVELLORAN_WERROR=ON
    ctest --test-dir build-sanitize --output-on-failure
    build_and_run_fuzzers
    echo "All tests passed."
    ;;
*)
    echo "usage: scripts/dev.sh run|package|test" >&2
    exit 2
    ;;
esac
