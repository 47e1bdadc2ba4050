#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the one-byte code page of every text the program keeps in its files.
// The mapping covers all 256 bytes: the five bytes the code page leaves undefined (81, 8D, 8F, 90, 9D)
// map to the control characters of the same number, so that any file decodes and re-encodes unchanged.
namespace Cp1252 {

// The Unicode character of one byte.
QChar paraUnicode(unsigned char byte);

// The byte of one character, or -1 when the code page has no such character.
int paraByte(QChar c);

QString decodificar(const QByteArray &bytes);

// Characters the code page cannot hold become '?' and *ok turns false.
QByteArray codificar(const QString &texto, bool *ok = nullptr);

// True when every character of the text has a byte in the code page.
bool representavel(const QString &texto);

} // namespace Cp1252
