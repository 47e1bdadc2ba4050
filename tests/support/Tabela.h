#pragma once

#include <QTest>

// A data table's columns in one line: their types in order, then their names in the same order.
template <class... Tipos, class... Nomes>
void Colunas(const Nomes &...nomes)
{
    static_assert(sizeof...(Tipos) == sizeof...(Nomes), "one name per column type");
    (QTest::addColumn<Tipos>(nomes), ...);
}

// QFETCH for several columns in one line: BUSCAR(bool, trava, QString, roteiro, ...), up to eight.
// NOLINTBEGIN(bugprone-macro-parentheses): a type and a name, as QFETCH takes them
// clang-format off
#define DATILUX_BUSCAR_1(T, n) QFETCH(T, n)
#define DATILUX_BUSCAR_2(T, n, ...) QFETCH(T, n); DATILUX_BUSCAR_1(__VA_ARGS__)
#define DATILUX_BUSCAR_3(T, n, ...) QFETCH(T, n); DATILUX_BUSCAR_2(__VA_ARGS__)
#define DATILUX_BUSCAR_4(T, n, ...) QFETCH(T, n); DATILUX_BUSCAR_3(__VA_ARGS__)
#define DATILUX_BUSCAR_5(T, n, ...) QFETCH(T, n); DATILUX_BUSCAR_4(__VA_ARGS__)
#define DATILUX_BUSCAR_6(T, n, ...) QFETCH(T, n); DATILUX_BUSCAR_5(__VA_ARGS__)
#define DATILUX_BUSCAR_7(T, n, ...) QFETCH(T, n); DATILUX_BUSCAR_6(__VA_ARGS__)
#define DATILUX_BUSCAR_8(T, n, ...) QFETCH(T, n); DATILUX_BUSCAR_7(__VA_ARGS__)
#define DATILUX_PARES(a1, b1, a2, b2, a3, b3, a4, b4, a5, b5, a6, b6, a7, b7, a8, b8, N, ...) N
#define DATILUX_JUNTAR(a, b) a##b
#define DATILUX_ESCOLHER(a, b) DATILUX_JUNTAR(a, b)
#define DATILUX_CONTAR(...) DATILUX_PARES(__VA_ARGS__, 8, 8, 7, 7, 6, 6, 5, 5, 4, 4, 3, 3, 2, 2, 1, 1, 0)
#define BUSCAR(...) DATILUX_ESCOLHER(DATILUX_BUSCAR_, DATILUX_CONTAR(__VA_ARGS__))(__VA_ARGS__)
// clang-format on
// NOLINTEND(bugprone-macro-parentheses)
