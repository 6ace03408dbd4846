#!/usr/bin/env bash
# Runs one fuzzer over a copy of its seed corpus (fuzz/corpus/<name>).
#
#   fuzz/run.sh                    lists the fuzzers
#   fuzz/run.sh <name> [seconds]   long run, 300 s by default; builds the fuzzer
#                                  first when it is missing
#   fuzz/run.sh <name> --runs N    N inputs from a fixed seed (the CTest run)
#
# Seeds are in fuzz/corpus/<name>, the words the fuzzer tries in
# fuzz/dict/<name>.dict.
#
# The build directory is $Q42_FUZZ_BUILD; by default build-asan when the
# sanitizer stage of ./test.sh has built the fuzzers there, else build-fuzz
# (configured here with clang and the sanitizers when missing). Inputs that
# reach new code are kept in <build>/fuzz/work/<name> between long runs; a
# crash, hang or leak leaves its input in <build>/fuzz/crashes/ and the run
# fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"
build=${Q42_FUZZ_BUILD:-}
if [ -z "$build" ]; then
    build=$root/build-fuzz
    grep -qs '^Q42_FUZZ:BOOL=ON' "$root/build-asan/CMakeCache.txt" && build=$root/build-asan
fi

if [ $# -eq 0 ]; then
    ls "$root/fuzz/corpus"
    exit 0
fi
name=$1
shift
seeds=$root/fuzz/corpus/$name
[ -d "$seeds" ] || { echo "no fuzzer named '$name'; one of:" >&2; ls "$root/fuzz/corpus" >&2; exit 2; }

runs=""
seconds=300
if [ "${1:-}" = "--runs" ]; then
    runs=${2:?--runs needs a number}
elif [ -n "${1:-}" ]; then
    seconds=$1
fi

fuzzer=$build/fuzz/fuzz_$name
if [ ! -x "$fuzzer" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQ42_WERROR=ON -DQ42_SANITIZE=ON \
        -DQ42_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${q42_launcher[@]}" >/dev/null
    cmake --build "$build" -j"$(nproc)" --target "fuzz_$name"
fi

# The same sanitizer settings as the test suite.
q42_sanitizers

crashes=$build/fuzz/crashes
mkdir -p "$crashes"
options=(-timeout=25 -print_final_stats=1 -artifact_prefix="$crashes/$name-")
# Words of the input's language help the fuzzer past keyword tests.
[ -f "$root/fuzz/dict/$name.dict" ] && options+=(-dict="$root/fuzz/dict/$name.dict")
if [ -n "$runs" ]; then
    work=$build/fuzz/work-ctest/$name
    rm -rf "$work"
    mkdir -p "$work"
    cp -r "$seeds/." "$work/"
    exec "$fuzzer" -runs="$runs" -seed=1 "${options[@]}" "$work"
fi
work=$build/fuzz/work/$name
mkdir -p "$work"
cp -rn "$seeds/." "$work/"
exec "$fuzzer" -max_total_time="$seconds" "${options[@]}" "$work"
