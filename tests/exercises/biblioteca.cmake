datilux_add_test(test_biblioteca SOURCES ${CMAKE_CURRENT_LIST_DIR}/TestBiblioteca.cpp)
