#pragma once

#include "common/Registros.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QIODevice;

// Alunos.arq, the register of students: one 62-byte record per code, record n at offset (n − 1)·62,
// no header. The owner opens it once and keeps it open while it works with it (the login dialog and
// the registry editor for as long as they exist; the main window just for one progress write).
//
// Record layout, little-endian, text in Windows-1252 padded with spaces:
//   0 Codigo (4)   4 Nome (30)   34 Senha (10)   44 Classe (int16)   46 Exercicio (int16)
//   48 reserved text (10)   58 reserved int16   60 reserved int16
// The reserved fields are never interpreted: they go back to the file as they were read.
//
// Every operation that fails returns false and puts in `erro` a message for the user that names the
// file with its full path; nothing is written after a refusal.
//
// Several copies of the program may share the file (one per computer of a lab, on one network
// folder). Every write happens under the file's lock (TravaArquivo), and reads the record it is
// about to replace afresh under that lock, so that a decision taken on what this copy read earlier
// can be checked against what the file holds now.
class ArquivoAlunos {
public:
    static inline const QString kNomeArquivo = QStringLiteral("Alunos.arq");
    static constexpr int kCodigoMaximo = 9999;

    // The login's answer for a code that has no student.
    static inline const QString kCodigoNaoCadastrado = QStringLiteral("Código não cadastrado!");
    // The registry editor's answer when every code up to 9999 is taken.
    static inline const QString kCadastroCompleto =
        QStringLiteral("O cadastro está completo: não há código livre após 9999!");

    ArquivoAlunos();
    ~ArquivoAlunos();
    ArquivoAlunos(const ArquivoAlunos &) = delete;
    ArquivoAlunos &operator=(const ArquivoAlunos &) = delete;

    // Opens the file for reading and writing, creating it empty when it does not exist. A file that
    // only allows reading is opened for reading: the login still works, writes are then refused.
    bool Abrir(const QString &caminho, QString &erro);
    // Works on a device the caller opened and keeps (tests hand in buffers); `caminho` is the name
    // the messages show.
    void Usar(QIODevice *dispositivo, const QString &caminho);
    void Fechar();
    bool Aberto() const;
    const QString &Caminho() const { return caminho_; }

    // Whole records in the file: a cut-off last record does not count.
    int Quantidade() const;
    // The code a new student gets: one past the slot count (may be past kCodigoMaximo: see Gravar).
    int ProximoCodigo() const { return Quantidade() + 1; }

    // Record `numero` (1 to Quantidade()) into `aluno`, text fields as stored (padded).
    bool Ler(int numero, Aluno &aluno, QString &erro) const;

    // Writes `aluno` at the record number given by the numeric value of its own Codigo: one write
    // of the whole record at its offset, then flushed to the file. Refused: a code outside 1 to
    // 9999, a code past the next free one (it would leave a hole), text the code page cannot hold,
    // the lock held by another copy for longer than it waits. Text fields are cut or padded to
    // their width.
    bool Gravar(const Aluno &aluno, QString &erro);

    // What a checked write came to: written, left alone because the file no longer holds what the
    // caller expected (nothing written), or failed (`erro` says why).
    enum class Resultado { Gravado, Recusado, Falha };

    // The one way a record changes. Under the lock, slot `numero` is read afresh and handed to
    // `decidir` (nullopt: past the last slot, `quantidade` whole records), which fills in the record
    // to write and returns true to write it, false to leave the file as it is (Recusado).
    using Decisao = std::function<bool(const std::optional<Aluno> &noArquivo, int quantidade, Aluno &gravar)>;
    Resultado Atualizar(int numero, const Decisao &decidir, QString &erro);

    // A new student: written only while the code is free (past the last slot, or a deleted
    // student's blank slot). Recusado when another copy took it meanwhile; `proximoLivre` is then
    // the code to propose instead (one past the last slot, as the file now stands).
    Resultado Incluir(const Aluno &aluno, int &proximoLivre, QString &erro);

    // A change of a student read earlier: written only while the file still holds `esperado`
    // byte for byte (nullopt: while the slot is past the last one). Recusado otherwise, with `noArquivo` what it holds now (nullopt: the slot is
    // gone), so that the caller can ask before writing over it.
    Resultado GravarSeIgual(const Aluno &aluno, const std::optional<Aluno> &esperado,
                            std::optional<Aluno> &noArquivo, QString &erro);

    // Blanks slot `numero` (a deleted student): Nome and Senha spaces, Classe and Exercicio 1, the
    // code and the reserved fields kept. `aluno` receives the record as written. With `esperado`,
    // only while the slot still holds it (Recusado otherwise, `aluno` then what it holds now).
    Resultado ApagarSeIgual(int numero, const std::optional<Aluno> &esperado, Aluno &aluno, QString &erro);

    enum class Identificacao { Administrador, Aluno, NaoCadastrado, Falha };
    // The login's code check: 0 is the administrator; a code past the slot count, or a blank slot
    // (deleted student), is not registered; otherwise the record is read into `aluno`.
    Identificacao Identificar(int codigo, Aluno &aluno, QString &erro) const;

    // Every whole record of the file at `caminho`, in one read (the class report; a file that does
    // not exist has none). False with the message naming the file.
    static bool LerTodos(const QString &caminho, QList<Aluno> &alunos, QString &erro);

    // The 62 bytes of a record, and back. Exposed for the tests and the fuzzers.
    static bool Codificar(const Aluno &aluno, QByteArray &bytes, QString &motivo);
    static Aluno Decodificar(const QByteArray &bytes);

private:
    QString caminho_;
    std::unique_ptr<QIODevice> proprio_;
    QIODevice *dispositivo_ = nullptr;
};

// A text field as readers use it: without leading and trailing spaces (other characters kept).
QString TirarEspacos(const QString &texto);

// The record number a code text stands for: its numeric value (empty or not a number: 0).
int NumeroDoCodigo(const QString &codigo);
