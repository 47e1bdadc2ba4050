# Loading an exercise and moving on.
target_sources(datilux_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Progressao.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Progressao.h
)
