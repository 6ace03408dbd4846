#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only when some are missing. Each package the build uses is named, even
# when another one only recommends it: libqt6opengl6-dev, which Qt Charts'
# CMake files look for, comes with qt6-base-dev only as a recommendation.
set -euo pipefail
packages=(build-essential cmake ccache qt6-base-dev libqt6opengl6-dev qt6-charts-dev libsqlite3-dev sqlite3 unixodbc unixodbc-dev
          tdsodbc libsqliteodbc fonts-dejavu-core qt6-translations-l10n poppler-utils clang libclang-rt-14-dev
          python3-sqlglot clang-format lld)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
