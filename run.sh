#!/usr/bin/env bash
# Installs what is missing, builds (Release) and opens the program on the
# demo database.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
. scripts/common.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DQ42_TESTS=OFF "${q42_launcher[@]}" >/dev/null
cmake --build build-release -j"$(nproc)"
exec ./build-release/q42 --demo "$@"
