# datilux_add_test(<name> SOURCES <files...> [LIBS <targets...>] [TIMEOUT <seconds>])
#
# One test executable per subsystem, run headless: offscreen platform, a UTF-8 locale and a timeout,
# so that a modal dialog left open fails the test instead of hanging the run.
function(datilux_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE datilux_test_support Qt6::Test ${ARG_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;QT_LOGGING_RULES=qt.multimedia*=false")
endfunction()

# datilux_add_bench(<name> SOURCES <files...> [LIBS <targets...>] [ARGS <arguments...>])
#
# A benchmark program: built by the `benchmarks` target and run, in the order of definition, by
# `run_benchmarks` (both driven by `make bench`). Never registered with ctest.
function(datilux_add_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ARGS" ${ARGN})
    add_executable(${name} EXCLUDE_FROM_ALL ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE datilux_ui ${ARG_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    add_dependencies(benchmarks ${name})
    set_property(GLOBAL APPEND PROPERTY DATILUX_BENCHES "${name}")
    set_property(GLOBAL PROPERTY DATILUX_BENCH_ARGS_${name} "${ARG_ARGS}")
endfunction()

# datilux_add_bench_comando(<name> <command...>)
#
# A benchmark that is a command (a script driving the real binary), run by `run_benchmarks` in the
# order of definition like the others.
function(datilux_add_bench_comando name)
    set_property(GLOBAL APPEND PROPERTY DATILUX_BENCHES "${name}")
    set_property(GLOBAL PROPERTY DATILUX_BENCH_CMD_${name} "${ARGN}")
endfunction()
