#include "common/Cp1252.h"

#include <array>

namespace {

// 0x80..0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kFaixa80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

namespace Cp1252 {

QChar paraUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kFaixa80[byte - 0x80]);
    return QChar(char16_t(byte));
}

int paraByte(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < int(kFaixa80.size()); ++i) {
        if (kFaixa80[i] == u)
            return 0x80 + i;
    }
    return -1;
}

QString decodificar(const QByteArray &bytes)
{
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar *destino = texto.data();
    for (int i = 0; i < bytes.size(); ++i)
        destino[i] = paraUnicode(static_cast<unsigned char>(bytes[i]));
    return texto;
}

QByteArray codificar(const QString &texto, bool *ok)
{
    QByteArray bytes(texto.size(), Qt::Uninitialized);
    bool tudoCabe = true;
    for (int i = 0; i < texto.size(); ++i) {
        const int b = paraByte(texto[i]);
        if (b < 0) {
            tudoCabe = false;
            bytes[i] = '?';
        } else {
            bytes[i] = static_cast<char>(b);
        }
    }
    if (ok)
        *ok = tudoCabe;
    return bytes;
}

bool representavel(const QString &texto)
{
    for (const QChar c : texto) {
        if (paraByte(c) < 0)
            return false;
    }
    return true;
}

} // namespace Cp1252
