# Shared build settings for our own targets.

if(ENABLE_SANITIZERS)
    # Sanitizers apply to everything we compile and link, tests included.
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(BUILD_FUZZERS)
    # Coverage instrumentation for all our code, so the fuzzer sees inside the
    # libraries it drives; only the fuzz targets link libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Warnings as errors on our own code only: call on each target we write.
# GCC 12's -O2/-O3 flow analysis reports copies inside libstdc++'s own
# containers as overflows or overlaps that cannot happen; in optimised builds
# those stay warnings, so that a false report never stops `scripts/run`. The
# sanitizer build keeps them errors.
function(project_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror
        $<$<AND:$<CXX_COMPILER_ID:GNU>,$<NOT:$<CONFIG:Debug>>>:-Wno-error=array-bounds;-Wno-error=restrict;-Wno-error=stringop-overflow>)
endfunction()

# A GoogleTest executable registered with CTest. Headless by default.
#   add_project_test(NAME name SOURCES ... LIBS ... [LABELS ...] [ENVIRONMENT ...])
function(add_project_test)
    cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    project_warnings(${T_NAME})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    set(env QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ${T_ENVIRONMENT})
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60)
    # gtest_discover_tests splits list-valued PROPERTIES into separate
    # arguments, so the environment and labels are set by a script of our own
    # that CTest reads after the discovered test list.
    set(properties ${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}_properties.cmake)
    file(WRITE ${properties}
        "foreach(test IN LISTS ${T_NAME}_TESTS)\n"
        "  set_tests_properties(\"\${test}\" PROPERTIES ENVIRONMENT \"${env}\" LABELS \"${T_LABELS}\")\n"
        "endforeach()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties})
endfunction()

# A fuzz target. With BUILD_FUZZERS it links libFuzzer; otherwise a small
# driver replays the seed corpus, so every build checks the corpus still
# passes. Either way the corpus replay is an ordinary test.
#   add_fuzz_target(NAME name SOURCES ... LIBS ... CORPUS dir [LABELS ...])
# The replay is labelled "fuzz" and with the given labels (the program's).
function(add_fuzz_target)
    cmake_parse_arguments(F "" "NAME;CORPUS" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${F_NAME} ${F_SOURCES})
    project_warnings(${F_NAME})
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
    if(BUILD_FUZZERS)
        target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
        target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
        add_test(NAME ${F_NAME}-corpus COMMAND ${F_NAME} -runs=0 ${F_CORPUS})
    else()
        target_sources(${F_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/fuzz_replay_main.cpp)
        add_test(NAME ${F_NAME}-corpus COMMAND ${F_NAME} ${F_CORPUS})
    endif()
    set(labels fuzz ${F_LABELS})
    set_tests_properties(${F_NAME}-corpus PROPERTIES
        LABELS "${labels}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy")
endfunction()
