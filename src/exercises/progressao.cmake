# Sources of loading and progression: target_sources(datilux_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/...)
