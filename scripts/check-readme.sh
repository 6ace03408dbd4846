#!/usr/bin/env bash
# Runs the README's commands as a newcomer meets them, so that a broken
# one fails the suite: ./run.sh opens the program on the demo database (and
# quits once the window is ready), ./run.sh --pdf writes a PDF, the program
# answers --help, --version and --libros, and a damaged demo database is set
# aside and replaced.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-readme: $*" >&2; exit 1; }

mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
newcomer() {
    env -u Q42_CARPETA -u XDG_DATA_HOME -u Q42_SALIR_AL_ESTAR_LISTO HOME="$work/home" \
        XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen "$@"
}

newcomer Q42_SALIR_AL_ESTAR_LISTO=1 "$root/run.sh" >"$work/run.log" 2>&1 ||
    { cat "$work/run.log" >&2; fail "./run.sh did not reach the ready window"; }
demo=$work/home/.local/share/q42/demo.sqlite
[ -f "$demo" ] || fail "./run.sh made no demo database at $demo"

newcomer "$root/run.sh" --pdf 06/2025 "$work/dj.pdf" >"$work/pdf.log" 2>&1 ||
    { cat "$work/pdf.log" >&2; fail "./run.sh --pdf 06/2025 failed"; }
[ "$(head -c 4 "$work/dj.pdf")" = "%PDF" ] || fail "./run.sh --pdf wrote no PDF"

q42=$root/build-release/q42
# Each output whole before it is searched: grep -q leaving at the first match
# would cut the program's writing short (a broken pipe, a failed pipeline).
newcomer "$q42" --help >"$work/help.txt" && grep -q -- --demo "$work/help.txt" ||
    fail "q42 --help does not answer"
newcomer "$q42" --version >"$work/version.txt" && grep -q '^q42 ' "$work/version.txt" ||
    fail "q42 --version does not answer"
newcomer "$q42" --demo --libros 06/2025 >"$work/libros.txt" &&
    grep -q '^P_Ingresos;' "$work/libros.txt" ||
    fail "q42 --demo --libros 06/2025 printed no figures"

# An interrupted or foreign demo file is set aside, never used nor lost.
: >"$demo"
newcomer "$q42" --demo --pdf 06/2025 "$work/dj2.pdf" 2>"$work/damaged.log" ||
    { cat "$work/damaged.log" >&2; fail "an empty demo.sqlite was not replaced"; }
grep -q "dañada" "$work/damaged.log" || fail "replacing the empty demo.sqlite said nothing"
[ -f "$demo.dañada" ] || fail "the empty demo.sqlite was not kept as demo.sqlite.dañada"
[ "$(head -c 4 "$work/dj2.pdf")" = "%PDF" ] || fail "no PDF after replacing the demo"
echo "check-readme: ./run.sh, ./run.sh --pdf, --help, --version, --libros, damaged demo ok"
