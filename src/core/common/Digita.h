#pragma once

#include "common/Registros.h"
#include "common/Relogio.h"

#include <QByteArray>
#include <QString>

#include <array>

// The state the whole program shares while it runs. main() owns the one instance and hands a
// reference to every window; tests build their own over a temporary folder.
class Digita {
public:
    static inline const QString kAdministrador = QStringLiteral("Administrador");
    static inline const QString kOk = QStringLiteral("OK");
    static inline const QString kCancelar = QStringLiteral("CANCELAR");

    // `pastaDados` is the folder of the data files (the program's own folder in a real run).
    explicit Digita(QString pastaDados);
    Digita(const Digita &) = delete;
    Digita &operator=(const Digita &) = delete;

    const QString &Pasta() const { return pasta_; }
    // Full path of a data file of the program's folder.
    QString Caminho(const QString &nomeArquivo) const;

    // The clock of the session labels; the default reads the system's time of day. The clock is
    // not owned and must outlive this object.
    QTime Agora() const { return relogio_->Agora(); }
    void DefinirRelogio(const Relogio *relogio) { relogio_ = relogio ? relogio : &relogioPadrao_; }

    bool EhAdministrador() const { return NomeUsuario == kAdministrador; }

    QString NomeUsuario;
    Aluno AlunoAtual;
    qint16 ClasseAtual = 0;
    qint16 ExercicioAtual = 0;
    std::array<QString, 2> RespostaDialogo;
    QString SenhaAdmAtual;
    // Set when the settings store could not give the administrator password (unreadable, damaged,
    // or the default could not be stored): why, and what to do. While it is set the administrator
    // is refused everywhere, so that no password that was never set opens the program.
    QString FalhaSenhaAdm;

    bool PermiteBackspace = true;
    bool TravaNoErro = true;
    bool SomNoErro = true;
    ConfigRec Config;

    // The settings store as last read or written (empty: not loaded yet).
    QByteArray TextoConfig;

private:
    QString pasta_;
    Relogio relogioPadrao_;
    const Relogio *relogio_ = &relogioPadrao_;
};
