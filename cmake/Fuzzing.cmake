# libFuzzer targets. Configure a build folder of its own with clang and -DNV_FUZZ=ON: every
# library is then built with fuzzing coverage and AddressSanitizer/UndefinedBehaviorSanitizer,
# and nv_add_fuzzer makes real fuzzers. Elsewhere (gcc, or NV_FUZZ off) nv_add_fuzzer does
# nothing, so the normal builds are untouched.
#
#   nv_add_fuzzer(<name> SOURCES <files...> LIBRARIES <targets...> CORPUS <seed folder>
#                 [DICT <dictionary file>])
#
# Each fuzzer is also a ctest test labelled "fuzz" that runs it for NV_FUZZ_SMOKE_SECONDS on its
# seed corpus (a smoke test for CI), with the dictionary when it has one; the target "fuzzers"
# builds them all. A longer run:
#   build-fuzz/fuzz/<name> -max_total_time=600 build-fuzz/fuzz/<name>-corpus <seed folder>
include_guard(GLOBAL)
include(CheckCXXSourceCompiles)

option(NV_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
set(NV_FUZZ_SMOKE_SECONDS 15 CACHE STRING "How long the fuzz smoke tests run each fuzzer")

set(NV_FUZZ_SUPPORTED OFF)
if(NV_FUZZ)
    set(CMAKE_REQUIRED_FLAGS -fsanitize=fuzzer)
    set(CMAKE_REQUIRED_LINK_OPTIONS -fsanitize=fuzzer)
    check_cxx_source_compiles(
        "#include <cstddef>
         #include <cstdint>
         extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }"
        NV_COMPILER_HAS_LIBFUZZER)
    unset(CMAKE_REQUIRED_FLAGS)
    unset(CMAKE_REQUIRED_LINK_OPTIONS)
    if(NV_COMPILER_HAS_LIBFUZZER)
        set(NV_FUZZ_SUPPORTED ON)
        # Coverage and sanitizers for every library the fuzzers link.
        add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
        add_link_options(-fsanitize=address,undefined)
        add_custom_target(fuzzers)
    else()
        message(WARNING "NV_FUZZ: the compiler has no -fsanitize=fuzzer (use clang); no fuzzers")
    endif()
endif()

function(nv_add_fuzzer name)
    if(NOT NV_FUZZ_SUPPORTED)
        return()
    endif()
    cmake_parse_arguments(ARG "" "CORPUS;DICT" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_dependencies(fuzzers ${name})
    # New inputs go to the work corpus in the build folder; the seeds in the source tree stay.
    set(work_corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
    file(MAKE_DIRECTORY ${work_corpus})
    set(dict_option)
    if(ARG_DICT)
        set(dict_option -dict=${ARG_DICT})
    endif()
    add_test(NAME ${name}.smoke
        COMMAND ${name} -max_total_time=${NV_FUZZ_SMOKE_SECONDS} -rss_limit_mb=2048
                ${dict_option} ${work_corpus} ${ARG_CORPUS})
    set_tests_properties(${name}.smoke PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()
