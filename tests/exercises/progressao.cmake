datilux_add_test(test_progressao SOURCES ${CMAKE_CURRENT_LIST_DIR}/TestProgressao.cpp)
