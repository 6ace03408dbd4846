#!/usr/bin/env bash
# Runs the suite's scenarios with the statement corpus on (Q42_CORPUS), then
# has an independent parser (sqlglot) read every statement the program sent,
# in SQL Server's dialect and in Oracle's, and prints the statements each
# operation sends to the engine. Usage: scripts/check-sql.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" -c 'import sqlglot' 2>/dev/null || { echo "sqlglot is missing (python3-sqlglot)" >&2; exit 1; }

# The scenarios: start, configuration, schema, the declaration window, the
# lookups and printing; the tests of the layers below send statements of
# their own, not the program's.
scenarios='^(config|boot|lookup|declaration)_|^db_tst_(esquema|conexion|script_oracle|sinonimos)$'
export QT_QPA_PLATFORM=offscreen
corpus=$PWD/$build/sql-corpus.jsonl
rm -f "$corpus"
cmake --build "$build" -j"$(nproc)" >/dev/null
Q42_CORPUS=$corpus ctest --test-dir "$build" -R "$scenarios" -j"$(nproc)" >/dev/null ||
    { echo "the scenarios failed: run ctest first" >&2; exit 1; }
"$python" scripts/check_sql.py "$corpus"
