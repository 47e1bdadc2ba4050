target_sources(datilux_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Carrega.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Carrega.h
)
