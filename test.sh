#!/usr/bin/env bash
# Installs what is missing, checks the format of the sources, builds with
# warnings as errors, runs every test, then builds and runs the suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
. scripts/common.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== format (.clang-format)"
find src tests bench fuzz -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run -Werror

echo "== build (warnings are errors)"
# No debug information here: it triples the precompiled header and nobody
# steps through this build; the sanitizer build keeps it for its reports.
cmake -S . -B build -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g0 -DQ42_WERROR=ON \
    -DQ42_BENCH=ON "${q42_launcher[@]}" >/dev/null
cmake --build build -j"$jobs"
echo "== tests"
ctest --test-dir build --output-on-failure -j"$jobs"
echo "== statements (SQL Server and Oracle, parsed by sqlglot)"
./scripts/check-sql.sh build
echo "== package"
./scripts/check-package.sh build
echo "== the README's commands"
./scripts/check-readme.sh
echo "== bench/run.sh, rehearsed on this build (its lines, not its figures)"
./scripts/check-bench.sh build

echo "== build with sanitizers (clang, with the fuzzers)"
# A tree configured before with another compiler starts afresh.
grep -qs '^CMAKE_CXX_COMPILER:.*clang' build-asan/CMakeCache.txt || rm -rf build-asan
cmake -S . -B build-asan -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Debug -DQ42_WERROR=ON -DQ42_SANITIZE=ON \
    -DQ42_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${q42_launcher[@]}" >/dev/null
cmake --build build-asan -j"$jobs"
echo "== tests under sanitizers, and a short run of each fuzzer (label fuzz)"
q42_sanitizers
ctest --test-dir build-asan --output-on-failure -j"$jobs"
