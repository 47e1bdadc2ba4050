#pragma once

#include <QByteArray>
#include <QString>

class Digita;

// Datilux.arq, the settings store: a run of entries "#!" key "#@" value "#$", keys and values
// scrambled byte by byte (each Windows-1252 byte complemented), in the order their keys were first
// written, with no header and no line breaks. Bytes after the last entry are allowed and ignored by
// the searches, which always take the first occurrence.
//
// The whole file is cached in Digita::TextoConfig (empty: not loaded yet). Reads load it once;
// every write takes the store's lock (TravaArquivo: several computers may share the folder),
// reloads the file, changes only its own key and writes the file back whole, so that a key written
// meanwhile by another computer is kept.
namespace ArquivoDatilux {

inline const QString kNomeArquivo = QStringLiteral("Datilux.arq");

inline const QString kChaveSenhaAdm = QStringLiteral("SenhaAdm");
inline const QString kChaveMostrarSenha = QStringLiteral("MostrarSenha");
// The administrator password a new installation starts with.
inline const QString kSenhaPadrao = QStringLiteral("KORVA");

// Each byte replaced by 255 minus it; applying it twice gives the text back.
QByteArray Embaralhar(const QByteArray &texto);

// The scrambled value of the first entry whose start marker is followed by `chave` (scrambled);
// empty when there is none, or when the entry has no value or end marker.
QByteArray BuscarValor(const QByteArray &texto, const QByteArray &chave);

// Puts `valor` (scrambled) under `chave` (scrambled): the first entry of the key is replaced where it
// stands, everything after its end marker kept; a new key is appended at the end.
void DefinirValor(QByteArray &texto, const QByteArray &chave, const QByteArray &valor);

// Why a key or value cannot be stored: characters outside Windows-1252, or a text whose scrambled
// form would hold an entry marker ("Ü" followed by "Þ", "¿" or "Û"), which would cut or corrupt the
// entry on reading. Empty when it can be stored.
QString MotivoRecusa(const QString &campo, const QString &texto);

// The value of `chave` (empty when absent, or when the key cannot be stored at all). Loads the file into d.TextoConfig when the cache is
// empty, creating an empty file when there is none. False with the message on failure.
bool LerConfig(Digita &d, const QString &chave, QString &valor, QString &erro);

// Stores `valor` under `chave` and writes the file whole (atomically, cut to its new length).
// Refused before anything is written when key or value cannot be stored (see MotivoRecusa).
// On failure the file is as it was, and so is the cache.
bool GravarConfig(Digita &d, const QString &chave, const QString &valor, QString &erro);

// As GravarConfig, but only while the file, as it is under the lock, has no value for `chave`: a
// default never replaces a value another computer has just stored. The cache takes the file either
// way.
bool GravarConfigSeVazia(Digita &d, const QString &chave, const QString &valor, QString &erro);

// Start-up: a store without an administrator password (or with an empty one) gets "KORVA"; then
// d.SenhaAdmAtual takes the stored password. A store that cannot be read, whose password entry is
// damaged, or that cannot take the default is left as it is: false, and d.FalhaSenhaAdm (the same
// text as `erro`) names the file and says how to restore the administrator's access.
bool CarregarSenhaAdm(Digita &d, QString &erro);

} // namespace ArquivoDatilux
