#!/usr/bin/env bash
# Builds the Debian package from a build tree that is already built and
# checks it: the files it installs, its dependencies, and that the program
# answers from the installed layout. Usage: scripts/check-package.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { # The report definition is found in share/q42/reports of the installed layout.
run --demo --pdf 06/2025 "$work/q42.pdf" || fail "--demo --pdf failed"
[ "$(head -c 4 "$work/q42.pdf")" = "%PDF" ] || fail "--demo --pdf wrote no PDF"
[ -f "$work/home/.local/share/q42/demo.sqlite" ] || fail "demo database not in the user's folder"
echo "check-package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/out/q42_*.deb 2>/dev/null | head -n1 || true)
[ -n "$deb" ] || fail "no q42_*.deb made"

# Exactly these files: a test or a build leftover in the package fails here.
{
    printf '%s\n' usr/bin/q42 usr/lib/q42/libq42_printing.so usr/lib/q42/libq42_charts.so \
        usr/share/applications/q42.desktop \
        usr/share/icons/hicolor/64x64/apps/q42.png usr/share/icons/hicolor/scalable/apps/q42.svg \
        usr/share/q42/ZK000pr.INI
    (cd "$root" && for f in reports/*.json sql/*.sql; do echo "usr/share/q42/$f"; done)
} | sort >"$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort >"$work/actual"
diff -u "$work/expected" "$work/actual" >&2 || fail "unexpected file list in $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Package)" = q42 ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6charts6 libqt6printsupport6 libqt6gui6 libodbc2 libsqlite3-0 fonts-dejavu-core qt6-translations-l10n; do
    [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
[[ "$(dpkg-deb -f "$deb" Recommends)" == *tdsodbc* ]] || fail "Recommends lacks tdsodbc"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/packaging/q42.desktop" || fail "desktop entry"
fi

# The program from the unpacked package, with an empty home of its own.
dpkg-deb -x "$deb" "$work/root"
# Printing and charts are modules: the program itself starts without their
# Qt libraries, and each module finds every library it needs.
needed=$(readelf -d "$work/root/usr/bin/q42")
[[ "$needed" != *Charts* && "$needed" != *PrintSupport* ]] || fail "q42 links Qt Charts or PrintSupport"
for m in "$work"/root/usr/lib/q42/*.so; do
    ! ldd "$m" | grep -q "not found" || fail "$(basename "$m") lacks a library: $(ldd "$m" | grep 'not found')"
done
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
run() {
    env -u Q42_CARPETA -u XDG_DATA_HOME HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
        QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/q42" "$@"
}
version=$(dpkg-deb -f "$deb" Version)
[ "$(run --version)" = "q42 $version" ] || fail "--version does not answer q42 $version"
help=$(run --help)
for text in @Server @DbName @Usuario @Password @Archivo '"#"' --demo --pdf Q42_CARPETA; do
    [[ "$help" == *"$text"* ]] || fail "--help does not mention $text"
done
# The report definition is found in share/q42/reports of the installed layout.
run --demo --pdf 06/2025 "$work/q42.pdf" || fail "--demo --pdf failed"
[ "$(head -c 4 "$work/q42.pdf")" = "%PDF" ] || fail "--demo --pdf wrote no PDF"
[ -f "$work/home/.local/share/q42/demo.sqlite" ] || fail "demo database not in the user's folder"
echo "check-package: $(basename "$deb") ok ($(wc -l <"$work/actual") files)"
