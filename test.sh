#!/usr/bin/env bash
# Installs what is missing, builds, then runs every test.
#   ./test.sh          the normal build (build/)
#   ./test.sh --asan   AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/)
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

build=build
flags=(-DCMAKE_BUILD_TYPE=Release)
if [ "${1:-}" = "--asan" ]; then
    build=build-asan
    # -O1 with line tables: stack traces name file and line, and the build is much quicker than -O2 -g.
    flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
        -DLRV_SANITIZE=ON -DLRV_BUILD_BENCH=OFF)
    # Qt keeps process-wide caches alive until exit; leak reports come with the fuzzing work.
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1
fi
if [ -n "${CI:-}" ] && [ "$build" = build ]; then
    # Only the normal build: under the sanitizers gcc reports uninitialised uses that are not there.
    flags+=(-DLRV_WERROR=ON)
fi

cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 2
