#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

class QFileDevice;
class QIODevice;

// What the three data files share: the messages that name a file when it cannot be opened, read or
// written, reading a whole file, and writing one whole file so that a failure leaves the old one
// as it was.
namespace ArquivoDados {

// The full path of a data file, as the messages show it.
QString CaminhoCompleto(const QString &caminho);

// The reason of a system error in Portuguese: "permissão negada", "sistema de arquivos somente para
// leitura", "não há espaço no disco", "é uma pasta", ... The system and Qt give them in English.
QString MotivoSistema(int codigoErrno);
// The same for a reason as Qt reports it (errorString()); a text it does not know comes back as it is.
QString Motivo(const QString &textoDoSistema);

// "Não foi possível abrir o arquivo <caminho completo>: <motivo>", and the same for reading,
// writing and creating. The reason goes through Motivo().
QString ErroAbrir(const QString &caminho, const QString &motivo);
QString ErroLer(const QString &caminho, const QString &motivo);
QString ErroGravar(const QString &caminho, const QString &motivo);
QString ErroCriar(const QString &caminho, const QString &motivo);

// The reason given when a text holds characters the code page of the files cannot hold: which
// field it is, and the first such characters.
QString MotivoTextoNaoRepresentavel(const QString &campo, const QString &texto);

// Every byte from the device's current position to its end. False with the reason on failure.
bool LerTudo(QIODevice &dispositivo, QByteArray &dados, QString &motivo);

// Writes every byte (a device may accept fewer than asked per call). False with the reason on failure.
bool EscreverTudo(QIODevice &dispositivo, const QByteArray &dados, QString &motivo);

// The whole file, or an empty text when it does not exist. False with the full message on failure.
bool LerArquivo(const QString &caminho, QByteArray &dados, QString &erro);

// Creates an empty file when none exists (readers of a missing file leave it behind, so that the
// next start finds it). False with the full message on failure.
bool CriarSeAusente(const QString &caminho, QString &erro);

// Replaces the file with `dados`, whole and atomically: the new text goes to a temporary file that
// takes the old one's place only once every byte is on disk, so a full disk or a crash never leaves
// a half-written file. The file ends up exactly `dados` long. False with the full message on failure.
bool SalvarInteiro(const QString &caminho, const QByteArray &dados, QString &erro);

// A file this program has just created, made fit for a folder shared by a group of accounts: mode
// 0660 whatever the umask, and the folder's group (already so in a set-group-ID folder; otherwise
// given when the account belongs to that group).
void PrepararNovo(QFileDevice &arquivo);

// The temporary files an interrupted atomic replacement leaves beside a data file
// ("Datilux.arq.Ab12Cd"), removed from `pasta` when modified more than ten minutes before `agora`.
// Younger ones are left alone: another computer on the same folder may be writing it right now.
// Returns the names removed.
QStringList LimparTemporarios(const QString &pasta, const QDateTime &agora = QDateTime::currentDateTimeUtc());

} // namespace ArquivoDados
