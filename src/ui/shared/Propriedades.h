#pragma once

#include <QStringList>
#include <QVariantMap>

struct QMetaObject;
class QObject;

// The design of a custom control: the properties its own class declares with Q_PROPERTY (those not
// marked STORED false), each kept under its own name and only when its value differs from the value
// the control has after loading a design that stores nothing.
namespace Propriedades {

// The stored properties the class itself declares (not those it inherits), in declaration order:
// the order in which a design is saved.
QStringList Ordem(const QMetaObject &classe);

// `padrao` is a control of the same class as an empty design leaves it. A font is compared with the
// font of the window the control is on instead: a control without a font of its own shows that one.
// Integers narrower than int are stored as int.
QVariantMap Salvar(const QObject &controle, const QObject &padrao);

// Writes every stored, writable property through its setter: the design's value converted to the
// property's type; when the design lacks it (or holds a value that does not convert), the property's
// reset if it has one, else `padrao`'s value.
void Carregar(QObject &controle, const QVariantMap &design, const QObject &padrao);

} // namespace Propriedades
