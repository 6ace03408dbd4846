# Sourced by the build scripts: where the tree is, the compile cache and the
# sanitizer settings, kept in one place so that every build shares them.
#   q42_root         the top of the tree
#   q42_launcher     CMake arguments that put ccache in front of the compilers
#                    (empty when ccache is missing)
#   q42_sanitizers   exports the AddressSanitizer/UBSan/LSan options the suite
#                    and the fuzzers run with, unless already set

q42_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

q42_launcher=()
if command -v ccache >/dev/null; then
    # Cache compilations across checkouts of the tree (CI builds a fresh
    # clone). The builds precompile the Qt headers: without this sloppiness
    # ccache refuses every compile that uses the precompiled header.
    export CCACHE_BASEDIR="$q42_root" CCACHE_NOHASHDIR=true
    export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    q42_launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

q42_sanitizers() {
    # Qt and fontconfig keep caches for the life of the process; leaks are
    # checked on the program's own objects through the suppression file.
    export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0}
    export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$q42_root/scripts/lsan.supp:print_suppressions=0}
    export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
}
