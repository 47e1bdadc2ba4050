target_sources(datilux_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Biblioteca.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Biblioteca.h
)

# The course texts, one UTF-8 file per class, compiled in and read on first use.
# scripts/gerar-exercicios writes the drill classes; the files themselves are what the program ships.
set(_curso ${CMAKE_CURRENT_LIST_DIR}/data)
qt_add_resources(datilux_core "curso"
    PREFIX "/curso"
    BASE ${_curso}
    FILES
        ${_curso}/classe1.txt
        ${_curso}/classe2.txt
        ${_curso}/classe3.txt
        ${_curso}/classe4.txt
        ${_curso}/classe5.txt
        ${_curso}/classe6.txt
)
