#!/usr/bin/env bash
# Installs what is missing, builds (Release) and opens the program on the
# demo database.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
launcher=()
# Cache compilations across checkouts of the tree (CI builds a fresh clone).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DQ42_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build-release -j"$(nproc)"
exec ./build-release/q42 --demo "$@"
