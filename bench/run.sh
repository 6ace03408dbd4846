#!/usr/bin/env bash
# Builds the benchmark programs (Release, in build-bench/) and runs them.
# Prints one line per figure, "<name>: <value> (target <= <target>) ok" or
# "... MISS", and the details of each measurement on stderr. Ends with 1
# when a figure misses its target, 2 when a program does not build or ends
# badly.
#   BANCO_REPETICIONES=<n>  repetitions of each measurement; a ratio is judged
#                           on the median of at least nine interleaved pairs
#   BANCO_DATOS=<folder>    where the demo databases are kept between runs
#                           (build-bench/datos-banco; the first run makes them,
#                           the 1 000 000-movement one takes a while)
#   BANCO_PROCESADOR=<n>    the processor to run on (default the fastest;
#                           "todos" for all)
#   BANCO_ENSAYO=1          a rehearsal: small databases, two repetitions;
#                           the lines are printed, the figures mean nothing
#   BANCO_BUILD=<folder>    an existing build configured with -DQ42_BENCH=ON
#                           (./test.sh rehearses on its Debug build) instead
#                           of the Release build in build-bench/
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build="${BANCO_BUILD:-$raiz/build-bench}"
"$raiz/scripts/install-deps.sh"
. "$raiz/scripts/common.sh"
programas=(red consumo libros consulta periodo inicio)
registro="$build/bench-build.log"
mkdir -p "$build"
configura=(cmake -S "$raiz" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQ42_WERROR=ON -DQ42_TESTS=OFF
           -DQ42_BENCH=ON "${q42_launcher[@]}")
[ -n "${BANCO_BUILD:-}" ] && configura=(true)
if ! { "${configura[@]}" &&
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
    codigo=0
    "$build/bench/q42_bench_$p" || codigo=$?
    if [ "$codigo" -gt 1 ]; then
        echo "q42_bench_$p ended with $codigo" >&2
        resultado=2
    elif [ "$codigo" -eq 1 ] && [ "$resultado" -eq 0 ]; then
        resultado=1
    fi
done
exit $resultado
