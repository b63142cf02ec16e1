# Helpers that give every test, benchmark and fuzzer of the project the same shape.

if(BUILD_TESTING)
    find_package(GTest REQUIRED)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    include(GoogleTest)
endif()

# brindlex_add_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [WIDGETS] [TIMEOUT s])
# A GoogleTest executable whose cases CTest lists one by one. WIDGETS links Qt Widgets and
# Qt Test, uses the shared main that creates a QApplication and runs headless (offscreen).
function(brindlex_add_test name)
    if(NOT BUILD_TESTING)
        return()
    endif()
    cmake_parse_arguments(ARG "WIDGETS" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
    set(environment "")
    if(ARG_WIDGETS)
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
        target_link_libraries(${name} PRIVATE brindlex_widget_test_main Qt6::Widgets Qt6::Test)
        list(APPEND environment "QT_QPA_PLATFORM=offscreen")
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    # Leak reports from Qt's and fontconfig's process-wide caches are not ours to fix.
    if(ARG_WIDGETS)
        list(APPEND environment "ASAN_OPTIONS=detect_leaks=0")
    endif()
    # An empty ENVIRONMENT or LABELS value would swallow the property name after it, and the
    # environment must stay one (semicolon-separated) argument: hence the two shapes.
    set(label_properties "")
    if(ARG_LABELS)
        set(label_properties LABELS ${ARG_LABELS})
    endif()
    if(environment)
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES
            ENVIRONMENT "${environment}" TIMEOUT ${ARG_TIMEOUT} ${label_properties})
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES
            TIMEOUT ${ARG_TIMEOUT} ${label_properties})
    endif()
endfunction()

# brindlex_add_benchmark(<name> SOURCES ... [LIBS ...])
# A Google Benchmark program; never run as a test, since timings on a shared machine vary.
function(brindlex_add_benchmark name)
    if(NOT BRINDLEX_BUILD_BENCHMARKS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    find_package(benchmark REQUIRED)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# brindlex_add_fuzzer(<name> SOURCES ... [LIBS ...] [SECONDS n])
# A libFuzzer target (clang only). It also runs as a test for a few seconds, so that
# ./test.sh shows at once when a change makes an input crash, hang or trip a sanitizer.
function(brindlex_add_fuzzer name)
    if(NOT BRINDLEX_FUZZ OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        return()
    endif()
    cmake_parse_arguments(ARG "" "SECONDS" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_SECONDS)
        set(ARG_SECONDS 20)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} -fsanitize=fuzzer)
    if(BUILD_TESTING)
        add_test(NAME ${name}
                 COMMAND ${name} -max_total_time=${ARG_SECONDS} -timeout=10 -rss_limit_mb=2048)
        set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 300)
    endif()
endfunction()
