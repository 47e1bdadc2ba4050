#include "common/TiraAcentos.h"

namespace {

constexpr int kCorte = 131;

QChar dobrar(QChar c)
{
    switch (c.unicode()) {
    case u'Á':
    case u'À':
    case u'Ã': return u'A';
    case u'á':
    case u'à':
    case u'ã': return u'a';
    case u'É':
    case u'Ê': return u'E';
    case u'é':
    case u'ê': return u'e';
    case u'Í': return u'I';
    case u'í': return u'i';
    case u'Ó':
    case u'Õ':
    case u'Ô': return u'O';
    case u'ó':
    case u'õ':
    case u'ô': return u'o';
    case u'Ú': return u'U';
    case u'ú': return u'u';
    case u'Ç': return u'C';
    case u'ç': return u'c';
    default: return c;
    }
}

} // namespace

QString TiraAcentos(const QString &s)
{
    QString r = s.left(kCorte);
    for (QChar &c : r)
        c = dobrar(c);
    return r;
}
