# libFuzzer targets (clang only). With Q42_FUZZ the program's libraries carry
# the fuzzer's coverage instrumentation; each fuzz/fuzz_*.cpp becomes one
# fuzzer, and a short fixed run of each is a CTest test labelled "fuzz".
option(Q42_FUZZ "Build the libFuzzer targets in fuzz/ (needs clang)" OFF)
if(Q42_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "Q42_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
    if(Q42_TESTS)
        enable_testing()
        add_subdirectory(fuzz)
    endif()
endif()
