#!/usr/bin/env bash
# Rehearses bench/run.sh on a build configured with -DQ42_BENCH=ON (small
# databases, two repetitions): every benchmark program must build, run to
# its end and print its lines in the documented form. The figures of such a
# run mean nothing, so a MISS is no failure. Usage: scripts/check-bench.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-bench: $*" >&2; exit 1; }

codigo=0
BANCO_ENSAYO=1 BANCO_BUILD="$build" BANCO_DATOS="$work/datos" "$root/bench/run.sh" \
    >"$work/lineas" 2>"$work/detalle" || codigo=$?
if [ "$codigo" -gt 1 ]; then
    cat "$work/lineas" "$work/detalle" >&2
    fail "bench/run.sh ended with $codigo"
fi
forma='^[a-z_]+: [0-9.]+ \(target <= [0-9.]+\) (ok|MISS)( \(spread [0-9.]+-[0-9.]+\))?$'
if grep -Evq "$forma" "$work/lineas"; then
    grep -Ev "$forma" "$work/lineas" >&2
    fail "lines not in the form <name>: <value> (target <= <target>) ok|MISS"
fi
for nombre in sentencias_inicio sentencias_periodo sentencias_periodo_nuevo sentencias_grabar \
              sentencias_borrar sentencias_consulta red_inicio_ms red_grabar_ms red_periodo_ms \
              consumo_calcular libros_calcular sentencias_libros red_libros_ms \
              consulta_carga consulta_tecla_ms periodo_confirma_ms \
              pdf_declaracion_ms inicio_tiempo inicio_memoria; do
    grep -q "^$nombre: " "$work/lineas" || fail "no line $nombre"
done
echo "check-bench: $(wc -l <"$work/lineas") lines from bench/run.sh (rehearsal)"
