#include "common/ArquivoDados.h"

#include "common/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ArquivoDados {

QString CaminhoCompleto(const QString &caminho)
{
    return QFileInfo(caminho).absoluteFilePath();
}

QString MotivoSistema(int codigoErrno)
{
    switch (codigoErrno) {
    case EACCES:
    case EPERM: return QStringLiteral("permissão negada");
    case EROFS: return QStringLiteral("sistema de arquivos somente para leitura");
    case ENOSPC: return QStringLiteral("não há espaço no disco");
    case EDQUOT: return QStringLiteral("cota de disco esgotada");
    case EFBIG: return QStringLiteral("arquivo grande demais");
    case EISDIR: return QStringLiteral("é uma pasta");
    case ENOTDIR: return QStringLiteral("parte do caminho não é uma pasta");
    case ENOENT: return QStringLiteral("arquivo ou pasta inexistente");
    case EEXIST: return QStringLiteral("o arquivo já existe");
    case EIO: return QStringLiteral("erro de leitura ou gravação no dispositivo");
    case EMFILE:
    case ENFILE: return QStringLiteral("arquivos abertos demais");
    case ENAMETOOLONG: return QStringLiteral("nome de arquivo longo demais");
    case ELOOP: return QStringLiteral("atalhos (links simbólicos) demais no caminho");
    case EBUSY:
    case ETXTBSY: return QStringLiteral("arquivo em uso");
    case ESTALE: return QStringLiteral("o arquivo da pasta de rede não está mais disponível");
    case ENOLCK: return QStringLiteral("não foi possível travar o arquivo");
    case EAGAIN: return QStringLiteral("recurso temporariamente indisponível");
    case EINTR: return QStringLiteral("operação interrompida");
    default: return QStringLiteral("erro do sistema %1").arg(codigoErrno);
    }
}

QString Motivo(const QString &textoDoSistema)
{
    // Qt builds its reasons from errno with qt_error_string(), in the language of the C library's
    // messages: comparing against the same function finds the code back in any locale.
    static const int codigos[] = {EACCES,  EPERM,  EROFS,   ENOSPC, EDQUOT, EFBIG,  EISDIR,
                                  ENOTDIR, ENOENT, EEXIST,  EIO,    EMFILE, ENFILE, ENAMETOOLONG,
                                  ELOOP,   EBUSY,  ETXTBSY, ESTALE, ENOLCK, EAGAIN, EINTR};
    for (int codigo : codigos) {
        if (textoDoSistema == qt_error_string(codigo))
            return MotivoSistema(codigo);
    }
    // Reasons Qt writes itself, not from errno.
    if (textoDoSistema == QLatin1StringView("file to open is a directory")
        || textoDoSistema == QLatin1StringView("Filename refers to a directory"))
        return MotivoSistema(EISDIR);
    if (textoDoSistema.startsWith(QLatin1StringView("Existing file "))
        && textoDoSistema.endsWith(QLatin1StringView(" is not writable")))
        return QStringLiteral("o arquivo existente está protegido contra gravação");
    if (textoDoSistema == QLatin1StringView("Partial write. Partition full?"))
        return QStringLiteral("gravação incompleta (disco cheio?)");
    if (textoDoSistema == QLatin1StringView("Writing canceled by application"))
        return QStringLiteral("gravação cancelada");
    if (textoDoSistema == QLatin1StringView("device not open"))
        return QStringLiteral("o arquivo não está aberto");
    if (textoDoSistema == QLatin1StringView("Unknown error") || textoDoSistema.isEmpty())
        return QStringLiteral("erro desconhecido");
    // Test devices and tools report the C library's own English texts.
    static const struct {
        const char *ingles;
        int codigo;
    } textos[] = {{"Permission denied", EACCES},       {"Read-only file system", EROFS},
                  {"No space left on device", ENOSPC}, {"File too large", EFBIG},
                  {"Is a directory", EISDIR},          {"No such file or directory", ENOENT},
                  {"Disk quota exceeded", EDQUOT},     {"Input/output error", EIO}};
    for (const auto &t : textos) {
        if (textoDoSistema == QLatin1StringView(t.ingles))
            return MotivoSistema(t.codigo);
    }
    return textoDoSistema;
}

namespace {

QString Erro(const char *verbo, const QString &caminho, const QString &motivo)
{
    return QStringLiteral("Não foi possível %1 o arquivo %2: %3")
        .arg(QString::fromUtf8(verbo), CaminhoCompleto(caminho), Motivo(motivo));
}

// Gives the open file `descritor` the mode and group it must have among the data files.
void AjustarDono(int descritor, mode_t modo, gid_t grupo)
{
    struct stat atual;
    if (fstat(descritor, &atual) != 0)
        return;
    // The group first: a change of group by an account that is not root clears set-ID bits, which a
    // data file never has, but the order keeps the mode exactly as asked.
    if (atual.st_gid != grupo && fchown(descritor, uid_t(-1), grupo) != 0) {
        // Not a member of that group: the file keeps the account's group, and the mode still
        // keeps others out.
    }
    fchmod(descritor, modo);
}

} // namespace

void PrepararNovo(QFileDevice &arquivo)
{
    const int descritor = arquivo.handle();
    struct stat pasta;
    if (descritor < 0
        || stat(QFile::encodeName(QFileInfo(arquivo.fileName()).absolutePath()).constData(), &pasta) != 0)
        return;
    AjustarDono(descritor, 0660, pasta.st_gid);
}

QString ErroAbrir(const QString &caminho, const QString &motivo)
{
    return Erro("abrir", caminho, motivo);
}
QString ErroLer(const QString &caminho, const QString &motivo)
{
    return Erro("ler", caminho, motivo);
}
QString ErroGravar(const QString &caminho, const QString &motivo)
{
    return Erro("gravar", caminho, motivo);
}
QString ErroCriar(const QString &caminho, const QString &motivo)
{
    return Erro("criar", caminho, motivo);
}

QString MotivoTextoNaoRepresentavel(const QString &campo, const QString &texto)
{
    QString fora;
    for (int i = 0; i < texto.size() && fora.size() < 8; ++i) {
        // A character outside the basic plane is two code units: show it whole.
        if (texto[i].isHighSurrogate() && i + 1 < texto.size()) {
            fora += texto.mid(i, 2);
            ++i;
        } else if (Cp1252::paraByte(texto[i]) < 0) {
            fora += texto[i];
        }
    }
    return QStringLiteral("%1 contém caracteres que o arquivo não comporta (%2)").arg(campo, fora);
}

bool LerTudo(QIODevice &dispositivo, QByteArray &dados, QString &motivo)
{
    dados.clear();
    char bloco[4096];
    for (;;) {
        const qint64 n = dispositivo.read(bloco, sizeof bloco);
        if (n < 0) {
            motivo = Motivo(dispositivo.errorString());
            return false;
        }
        if (n == 0)
            return true;
        dados.append(bloco, n);
    }
}

bool EscreverTudo(QIODevice &dispositivo, const QByteArray &dados, QString &motivo)
{
    qint64 feito = 0;
    while (feito < dados.size()) {
        const qint64 n = dispositivo.write(dados.constData() + feito, dados.size() - feito);
        if (n <= 0) {
            motivo = dispositivo.errorString().isEmpty() ? QStringLiteral("gravação incompleta")
                                                         : Motivo(dispositivo.errorString());
            return false;
        }
        feito += n;
    }
    return true;
}

bool LerArquivo(const QString &caminho, QByteArray &dados, QString &erro)
{
    dados.clear();
    QFile arquivo(caminho);
    if (!arquivo.exists())
        return true;
    if (!arquivo.open(QIODevice::ReadOnly)) {
        erro = ErroAbrir(caminho, arquivo.errorString());
        return false;
    }
    QString motivo;
    if (!LerTudo(arquivo, dados, motivo)) {
        dados.clear();
        erro = ErroLer(caminho, motivo);
        return false;
    }
    return true;
}

bool CriarSeAusente(const QString &caminho, QString &erro)
{
    QFile arquivo(caminho);
    if (arquivo.exists())
        return true;
    // NewOnly: never truncate a file that appeared in the meantime.
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !arquivo.exists()) {
        erro = ErroCriar(caminho, arquivo.errorString());
        return false;
    }
    if (arquivo.isOpen())
        PrepararNovo(arquivo);
    return true;
}

bool SalvarInteiro(const QString &caminho, const QByteArray &dados, QString &erro)
{
    QSaveFile arquivo(caminho);
    // Unbuffered: a buffered flush that the disk accepts only in part (a full disk, a size limit)
    // is taken for a success by Qt 6.4, and the commit would then replace the old file with a cut
    // one. Written directly, the short write comes back to EscreverTudo, which reports it.
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        erro = ErroGravar(caminho, arquivo.errorString());
        return false;
    }
    // The temporary file becomes the data file: it takes the mode and group of the file it replaces
    // (Qt copies the mode only), or those of a new file of the folder.
    struct stat anterior;
    if (stat(QFile::encodeName(caminho).constData(), &anterior) == 0)
        AjustarDono(arquivo.handle(), anterior.st_mode & 07777, anterior.st_gid);
    else
        PrepararNovo(arquivo);
    QString motivo;
    if (!EscreverTudo(arquivo, dados, motivo)) {
        arquivo.cancelWriting();
        erro = ErroGravar(caminho, motivo);
        return false;
    }
    if (arquivo.size() != dados.size()) {
        arquivo.cancelWriting();
        erro = ErroGravar(caminho, QStringLiteral("gravação incompleta"));
        return false;
    }
    if (!arquivo.commit()) {
        erro = ErroGravar(caminho, arquivo.errorString());
        return false;
    }
    return true;
}

QStringList LimparTemporarios(const QString &pasta, const QDateTime &agora)
{
    // QSaveFile's temporary names: a data file's name (every one ends in .arq), a dot and six letters
    // or digits. A lock file ("Alunos.arq.lock") does not match, nor a copy someone named by hand with
    // a plain word or a number ("Alunos.arq.backup", "Alunos.arq.201912"); a random name of only
    // lower-case letters or only digits, rare, then stays until removed by hand.
    static const QRegularExpression nomeTemporario(QStringLiteral(R"(^[^.].*\.arq\.[A-Za-z0-9]{6}$)"));
    static const QRegularExpression palavra(QStringLiteral(R"(\.([a-z]{6}|[0-9]{6})$)"));
    QStringList removidos;
    const QDir dir(pasta);
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!nomeTemporario.match(info.fileName()).hasMatch() || palavra.match(info.fileName()).hasMatch())
            continue;
        if (info.lastModified().secsTo(agora) <= 10 * 60)
            continue;
        if (QFile::remove(info.absoluteFilePath()))
            removidos << info.fileName();
    }
    return removidos;
}

} // namespace ArquivoDados
