target_sources(datilux_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Biblioteca.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Biblioteca.h
)
