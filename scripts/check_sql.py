#!/usr/bin/env python3
"""Parses every statement of the corpus (scripts/check-sql.sh) with sqlglot,
in SQL Server's dialect as written and in Oracle's as translated, and prints
the statements each operation sent to the engine."""

import json
import re
import sys

import sqlglot
from sqlglot.errors import ErrorLevel

OPERATIONS = [
    "start", "period confirm", "period new", "save", "delete", "consumption", "books",
    "lookup open", "print"
]

# Valid statements sqlglot's grammar gets wrong: (dialect, pattern, why).
# Empty while sqlglot reads every statement the program sends.
ALLOWED = []


def allowed(dialect, sql):
    return any(d == dialect and re.search(p, sql, re.I) for d, p, _ in ALLOWED)


def parses(sql, dialect):
    if allowed(dialect, sql):
        return None
    try:
        trees = sqlglot.parse(sql, read=dialect, error_level=ErrorLevel.RAISE)
    except Exception as e:  # sqlglot raises ParseError and TokenError
        return str(e).splitlines()[0]
    if not any(t is not None for t in trees):
        return "nothing parsed"
    return None


def main(path):
    statements = {}  # T-SQL text -> list of Oracle pieces or an error
    trips = {op: 0 for op in OPERATIONS}
    with open(path, encoding="utf-8") as f:
        for line in f:
            entry = json.loads(line)
            op = entry.get("op", "")
            if op:
                trips[op] = trips.get(op, 0) + 1
            if "tsql" not in entry:
                continue
            oracle = entry.get("oracle")
            statements.setdefault(entry["tsql"], oracle if oracle is not None
                                  else {"error": entry.get("oracleError", "no Oracle form")})
    failures = 0
    tsql_ok = oracle_ok = 0
    for sql, oracle in sorted(statements.items()):
        error = parses(sql, "tsql")
        if error:
            failures += 1
            print(f"T-SQL does not parse ({error}):\n  {sql}")
        else:
            tsql_ok += 1
        if isinstance(oracle, dict):
            failures += 1
            print(f"no Oracle form ({oracle['error']}):\n  {sql}")
            continue
        bad = [(p, parses(p, "oracle")) for p in oracle]
        bad = [(p, e) for p, e in bad if e]
        for piece, error in bad:
            failures += 1
            print(f"Oracle does not parse ({error}):\n  {piece}\n  from: {sql}")
        if not bad:
            oracle_ok += 1
    for op in OPERATIONS:
        print(f"round trips: {op} {trips.get(op, 0)}")
    print(f"sql: {len(statements)} statements (T-SQL {tsql_ok} ok, Oracle {oracle_ok} ok)")
    return 1 if failures or not statements else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
