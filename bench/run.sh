#!/usr/bin/env bash
# Builds the benchmark programs (Release, in build-bench/) and runs them.
# Prints one line per figure, "<name>: <value> (target <= <target>) ok" or
# "... MISS", and the details of each measurement on stderr. Ends with 1
# when a figure misses its target.
#   BANCO_REPETICIONES=<n>  repetitions of each measurement; a ratio is judged
#                           on the median of at least nine interleaved pairs
#   BANCO_DATOS=<folder>    where the demo databases are kept between runs
#                           (build-bench/datos-banco; the first run makes them,
#                           the 1 000 000-movement one takes a while)
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build="$raiz/build-bench"
"$raiz/scripts/install-deps.sh"
. "$raiz/scripts/common.sh"
programas=(red consumo consulta periodo inicio)
registro="$build/bench-build.log"
mkdir -p "$build"
if ! { cmake -S "$raiz" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQ42_WERROR=ON -DQ42_TESTS=OFF \
           -DQ42_BENCH=ON "${q42_launcher[@]}" &&
       cmake --build "$build" -j"$(nproc)" --target "${programas[@]/#/q42_bench_}"; } \
     >"$registro" 2>&1; then
    cat "$registro" >&2
    exit 2
fi

export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
export BANCO_DATOS="${BANCO_DATOS:-$build/datos-banco}"
resultado=0
for p in "${programas[@]}"; do
    "$build/bench/q42_bench_$p" || resultado=1
done
exit $resultado
