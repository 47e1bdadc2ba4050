#include "shared/Propriedades.h"

#include <QApplication>
#include <QFont>
#include <QMetaProperty>
#include <QPixmap>
#include <QWidget>

namespace Propriedades {

namespace {

// The properties a design holds: the class's own, stored ones.
template <typename Fazer>
void ParaCada(const QMetaObject &classe, Fazer fazer)
{
    for (int i = classe.propertyOffset(); i < classe.propertyCount(); ++i) {
        const QMetaProperty p = classe.property(i);
        if (p.isStored())
            fazer(p);
    }
}

bool Igual(const QVariant &a, const QVariant &b)
{
    // Pictures have no comparison of their own: the same picture, or none on either side.
    if (a.metaType() == QMetaType::fromType<QPixmap>() && b.metaType() == QMetaType::fromType<QPixmap>()) {
        const QPixmap x = a.value<QPixmap>();
        const QPixmap y = b.value<QPixmap>();
        return (x.isNull() && y.isNull()) || x.cacheKey() == y.cacheKey();
    }
    return a == b;
}

} // namespace

QStringList Ordem(const QMetaObject &classe)
{
    QStringList nomes;
    ParaCada(classe, [&nomes](const QMetaProperty &p) { nomes.append(QString::fromLatin1(p.name())); });
    return nomes;
}

QVariantMap Salvar(const QObject &controle, const QObject &padrao)
{
    const auto *widget = qobject_cast<const QWidget *>(&controle);
    QVariantMap design;
    ParaCada(*controle.metaObject(), [&](const QMetaProperty &p) {
        QVariant valor = p.read(&controle);
        QVariant referencia = p.read(&padrao);
        if (widget && p.metaType() == QMetaType::fromType<QFont>())
            referencia = widget->parentWidget() ? widget->parentWidget()->font() : QApplication::font();
        if (Igual(valor, referencia))
            return;
        if (p.metaType() == QMetaType::fromType<qint16>() || p.metaType() == QMetaType::fromType<qint8>())
            valor.convert(QMetaType::fromType<int>());
        design.insert(QString::fromLatin1(p.name()), valor);
    });
    return design;
}

void Carregar(QObject &controle, const QVariantMap &design, const QObject &padrao)
{
    ParaCada(*controle.metaObject(), [&](const QMetaProperty &p) {
        if (!p.isWritable())
            return;
        QVariant valor = design.value(QString::fromLatin1(p.name()));
        if (valor.isValid() && !valor.convert(p.metaType()))
            valor = QVariant();
        if (!valor.isValid() && p.isResettable()) {
            p.reset(&controle);
            return;
        }
        p.write(&controle, valor.isValid() ? valor : p.read(&padrao));
    });
}

} // namespace Propriedades
