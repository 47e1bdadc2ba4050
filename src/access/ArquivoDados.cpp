#include "access/ArquivoDados.h"

#include "common/Cp1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ArquivoDados {

QString CaminhoCompleto(const QString &caminho)
{
    return QFileInfo(caminho).absoluteFilePath();
}

namespace {

QString Erro(const char *verbo, const QString &caminho, const QString &motivo)
{
    return QStringLiteral("Não foi possível %1 o arquivo %2: %3")
        .arg(QString::fromUtf8(verbo), CaminhoCompleto(caminho), motivo);
}

} // namespace

QString ErroAbrir(const QString &caminho, const QString &motivo) { return Erro("abrir", caminho, motivo); }
QString ErroLer(const QString &caminho, const QString &motivo) { return Erro("ler", caminho, motivo); }
QString ErroGravar(const QString &caminho, const QString &motivo) { return Erro("gravar", caminho, motivo); }
QString ErroCriar(const QString &caminho, const QString &motivo) { return Erro("criar", caminho, motivo); }

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
            motivo = dispositivo.errorString();
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
            motivo = dispositivo.errorString();
            if (motivo.isEmpty())
                motivo = QStringLiteral("gravação incompleta");
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

} // namespace ArquivoDados
