#!/usr/bin/env bash
# Builds the program in Release (without the tests) and makes the Debian
# package build-release/q42_<version>_<arch>.deb. Install it with
#   sudo apt-get install ./build-release/q42_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
. scripts/common.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DQ42_TESTS=OFF "${q42_launcher[@]}" >/dev/null
cmake --build build-release -j"$(nproc)" --target q42
(cd build-release && cpack -G DEB)
ls -1 "$PWD"/build-release/q42_*.deb
