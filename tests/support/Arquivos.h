#pragma once

#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "common/Digita.h"

#include <QByteArray>

// The data files' bytes, written by hand as the program must write them.

// A record of Alunos.arq built by hand: code, name and password padded, class, exercise, reserved bytes.
inline QByteArray Reg(const QByteArray &codigo, const QByteArray &nome, const QByteArray &senha, char classe,
                      char exercicio, const QByteArray &reservado = QByteArray(14, '\0'))
{
    return codigo + nome.leftJustified(30) + senha.leftJustified(10) + classe + '\0' + exercicio + '\0'
           + reservado;
}
// `arquivo` with the record of code `codigo` replaced by `registro`.
inline QByteArray ComVaga(QByteArray arquivo, int codigo, const QByteArray &registro)
{
    return arquivo.replace((codigo - 1) * 62, 62, registro);
}

// A student of the register, the code in four digits.
inline Aluno AlunoDe(int codigo, const QString &nome, int classe = 1, int exercicio = 1,
                     const QString &senha = QStringLiteral("x"))
{
    Aluno a;
    a.Codigo = QStringLiteral("%1").arg(codigo, 4, 10, QLatin1Char('0')), a.Nome = nome, a.Senha = senha;
    a.Classe = qint16(classe), a.Exercicio = qint16(exercicio);
    return a;
}

// The register written through the program's own file, one student after another.
inline bool Cadastrar(const Digita &digita, const QList<Aluno> &alunos)
{
    ArquivoAlunos arquivo;
    QString erro;
    bool ok = arquivo.Abrir(digita.Caminho(ArquivoAlunos::kNomeArquivo), erro);
    for (const Aluno &a : alunos)
        ok = ok && arquivo.Gravar(a, erro);
    return ok;
}

// A text scrambled as Datilux.arq holds it, and one whole entry of that store.
inline QByteArray Emb(const char *texto)
{
    return ArquivoDatilux::Embaralhar(QByteArray(texto));
}
inline QByteArray Entrada(const char *chave, const char *valor)
{
    return "#!" + Emb(chave) + "#@" + Emb(valor) + "#$";
}

// The Config.arq a new installation's OK writes: three options on, "Courier New" 12, and the colours
// RGB(219, 234, 252), black, RGB(158, 192, 244), white.
inline const QByteArray kConfigPadrao("\x01\x00\x01\x00\x01\x00"
                                      "Courier New                   "
                                      "\x0C\x00"
                                      "\xDB\xEA\xFC\x00"
                                      "\x00\x00\x00\x00"
                                      "\x9E\xC0\xF4\x00"
                                      "\xFF\xFF\xFF\x00",
                                      54);
