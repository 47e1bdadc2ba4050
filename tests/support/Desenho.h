#pragma once

#include <QPixmap>
#include <QTest>
#include <QVariantMap>

// Property values that compare: pictures by their pixels.
inline QVariantMap Comparaveis(QVariantMap m)
{
    for (QVariant &v : m)
        if (v.metaType() == QMetaType::fromType<QPixmap>())
            v = v.value<QPixmap>().toImage();
    return m;
}

// A custom control's stored properties.
template <class Controle>
QVariantMap Valores(const Controle &c)
{
    QVariantMap m;
    for (const QString &nome : Controle::OrdemPropriedades())
        m.insert(nome, c.property(qPrintable(nome)));
    return Comparaveis(m);
}

// A design's round trip: `original` stores exactly the keys `guardadas`, and `copia`, whatever it held
// before, loads every property of the original from them and stores the same design again.
template <class Controle>
void IdaEVolta(const Controle &original, Controle &copia, const QStringList &guardadas)
{
    const QVariantMap salvo = original.Salvar();
    QCOMPARE(salvo.keys(), guardadas);
    copia.Carregar(salvo);
    QCOMPARE(Valores(copia), Valores(original));
    QCOMPARE(Comparaveis(copia.Salvar()), Comparaveis(salvo));
}
