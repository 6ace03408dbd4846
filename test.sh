#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, runs every test,
# then builds and runs the suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

jobs=$(nproc)
launcher=()
# Cache compilations across checkouts of the tree (CI builds a fresh clone).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

export QT_QPA_PLATFORM=offscreen

echo "== build (warnings are errors)"
# No debug information here: it triples the precompiled header and nobody
# steps through this build; the sanitizer build keeps it for its reports.
cmake -S . -B build -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g0 -DQ42_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build -j"$jobs"
echo "== tests"
ctest --test-dir build --output-on-failure -j"$jobs"
echo "== statements (SQL Server and Oracle, parsed by sqlglot)"
./scripts/check-sql.sh build
echo "== package"
./scripts/check-package.sh build
echo "== the README's commands"
./scripts/check-readme.sh

echo "== build with sanitizers (clang, with the fuzzers)"
# A tree configured before with another compiler starts afresh.
grep -qs '^CMAKE_CXX_COMPILER:.*clang' build-asan/CMakeCache.txt || rm -rf build-asan
cmake -S . -B build-asan -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Debug -DQ42_WERROR=ON -DQ42_SANITIZE=ON \
    -DQ42_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" >/dev/null
cmake --build build-asan -j"$jobs"
echo "== tests under sanitizers, and a short run of each fuzzer (label fuzz)"
# Qt and fontconfig keep caches for the life of the process; leaks are
# checked on the program's own objects through the suppression file.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j"$jobs"
