#pragma once

#include "common/Cores.h"

#include <QByteArray>
#include <QString>

// One student of Alunos.arq (62 bytes on disk). Text fields hold the text as stored, padded with
// spaces to the field width; readers trim them before comparing or editing.
struct Aluno {
    static constexpr int kTamanho = 62;
    static constexpr int kTamCodigo = 4;
    static constexpr int kTamNome = 30;
    static constexpr int kTamSenha = 10;
    static constexpr int kTamReservado = 10;

    QString Codigo;
    QString Nome;
    QString Senha;
    qint16 Classe = 0;
    qint16 Exercicio = 0;
    // Never interpreted: written back as read (zeros in a record that was never read).
    QByteArray Reservado = QByteArray(kTamReservado, '\0');
    qint16 Reservado2 = 0;
    qint16 Reservado3 = 0;

    friend bool operator==(const Aluno &, const Aluno &) = default;
};

// The configuration record of Config.arq (54 bytes on disk). The initial values are what the
// configuration dialog shows when no file exists.
struct ConfigRec {
    static constexpr int kTamanho = 54;
    static constexpr int kTamNomeFonte = 30;

    qint16 BackSpace = 1;
    qint16 Travar = 1;
    qint16 Som = 1;
    QString NomeFonte = QStringLiteral("Courier New");
    qint16 TamanhoFonte = 12;
    Cor CorInicio = RGB(219, 234, 252);
    Cor CorTexto = RGB(0, 0, 0);
    Cor CorFim = RGB(158, 192, 244);
    Cor CorFundoEdicao = RGB(255, 255, 255);

    friend bool operator==(const ConfigRec &, const ConfigRec &) = default;
};
