# Precompiled headers: the Qt and standard headers that most files of a layer include. A header listed
# here reaches every file of the layer whether it includes it or not, so keep the lists to what most files
# use; a file still includes what it uses (the lint tree builds without them and would catch it).
set(DATILUX_PCH_CORE
    <QByteArray> <QFile> <QIODevice> <QList> <QObject> <QString> <QStringList> <QVariant>
    <algorithm> <array> <functional> <memory> <optional> <vector>)
set(DATILUX_PCH_UI ${DATILUX_PCH_CORE}
    <QApplication> <QDialog> <QFont> <QFontMetrics> <QKeyEvent> <QLabel> <QLineEdit> <QPainter>
    <QPixmap> <QTimer> <QWidget>)
# The tests share the widgets' list: Qt Test's headers read the QT_TESTCASE_* macros, which differ from
# one test folder to the next, and a precompiled header cannot depend on a macro its users disagree on.
set(DATILUX_PCH_TESTES ${DATILUX_PCH_UI})

# datilux_usar_pch(<target> <header list variable>)
function(datilux_usar_pch alvo lista)
    if(DATILUX_PCH)
        target_precompile_headers(${alvo} PRIVATE ${${lista}})
    endif()
endfunction()

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
    # All the tests share one precompiled header. GCC takes a header only with the same -fPIE and the
    # same macros, so it is built by a small program of its own (a test is an executable) without
    # Qt Test's per-folder macros.
    if(DATILUX_PCH)
        if(NOT TARGET datilux_pch_testes)
            add_executable(datilux_pch_testes ${PROJECT_SOURCE_DIR}/cmake/pch_testes.cpp)
            target_link_libraries(datilux_pch_testes PRIVATE datilux_ui)
            set_target_properties(datilux_pch_testes PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
            datilux_usar_pch(datilux_pch_testes DATILUX_PCH_TESTES)
        endif()
        target_precompile_headers(${name} REUSE_FROM datilux_pch_testes)
    endif()
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
