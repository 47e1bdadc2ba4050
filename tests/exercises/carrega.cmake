datilux_add_test(test_carrega SOURCES ${CMAKE_CURRENT_LIST_DIR}/TestCarrega.cpp)
