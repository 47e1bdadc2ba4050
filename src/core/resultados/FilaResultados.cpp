#include "resultados/FilaResultados.h"

#include "common/ArquivoDados.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QSet>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// Long enough for another copy to finish a rewrite of a large spool; a lock older than the stale
// time was left by a crashed copy and is taken over.
constexpr int kEsperaTrava = 20000;

QString Data(const QDateTime &dt)
{
    // Always with the offset, so that the text says which moment it was wherever it is read.
    return dt.isValid() ? dt.toOffsetFromUtc(dt.offsetFromUtc()).toString(Qt::ISODate) : QString();
}

bool Travar(QLockFile &trava, const QString &caminho, QString &erro)
{
    trava.setStaleLockTime(60000);
    if (trava.tryLock(kEsperaTrava))
        return true;
    erro = ArquivoDados::ErroAbrir(caminho, QStringLiteral("o arquivo está em uso por outra cópia do programa"));
    return false;
}

QList<QByteArray> Linhas(const QByteArray &dados)
{
    QList<QByteArray> linhas;
    for (const QByteArray &l : dados.split('\n'))
        if (!l.trimmed().isEmpty())
            linhas.append(l);
    return linhas;
}

} // namespace

FilaResultados::FilaResultados(QString caminho)
    : caminho_(std::move(caminho))
{}

QString FilaResultados::NomeArquivo(const QString &computador)
{
    QString nome;
    for (QChar c : computador)
        nome += (c.isLetterOrNumber() && c.unicode() < 128) || c == u'.' || c == u'-' || c == u'_' ? c : u'_';
    return QStringLiteral("Resultados-%1.fila").arg(nome.isEmpty() ? QStringLiteral("_") : nome);
}

QByteArray FilaResultados::ParaJson(const ResultadoSessao &r)
{
    QJsonObject erros;
    for (auto it = r.errosPorTecla.cbegin(); it != r.errosPorTecla.cend(); ++it)
        erros.insert(QString(it.key()), it.value());
    const QJsonObject o{
        {"chave", r.chave},         {"codigo", r.codigo},       {"nome", r.nome},
        {"classe", r.classe},       {"exercicio", r.exercicio}, {"inicio", Data(r.inicio)},
        {"fim", Data(r.fim)},       {"segundos", r.segundos},   {"toques", r.toques},
        {"erros", r.erros},         {"acertos", r.acertos},     {"caracteres", r.caracteres},
        {"concluido", r.concluido}, {"veredito", r.veredito},   {"computador", r.computador},
        {"errosPorTecla", erros},
    };
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

std::optional<ResultadoSessao> FilaResultados::DeJson(const QByteArray &linha)
{
    QJsonParseError e{};
    const QJsonDocument doc = QJsonDocument::fromJson(linha, &e);
    if (e.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    ResultadoSessao r;
    r.chave = o.value("chave").toString();
    if (r.chave.isEmpty())
        return std::nullopt;
    r.codigo = o.value("codigo").toInt();
    r.nome = o.value("nome").toString();
    r.classe = o.value("classe").toInt();
    r.exercicio = o.value("exercicio").toInt();
    r.inicio = QDateTime::fromString(o.value("inicio").toString(), Qt::ISODate);
    r.fim = QDateTime::fromString(o.value("fim").toString(), Qt::ISODate);
    r.segundos = o.value("segundos").toInteger();
    r.toques = o.value("toques").toInt();
    r.erros = o.value("erros").toInt();
    r.acertos = o.value("acertos").toInt();
    r.caracteres = o.value("caracteres").toInt();
    r.concluido = o.value("concluido").toBool();
    r.veredito = o.value("veredito").toString();
    r.computador = o.value("computador").toString();
    const QJsonObject erros = o.value("errosPorTecla").toObject();
    for (auto it = erros.constBegin(); it != erros.constEnd(); ++it)
        if (it.key().size() == 1)
            r.errosPorTecla.insert(it.key().at(0), it.value().toInt());
    return r;
}

bool FilaResultados::Acrescentar(const ResultadoSessao &r, QString &erro)
{
    QLockFile trava(caminho_ + QStringLiteral(".trava"));
    if (!Travar(trava, caminho_, erro))
        return false;
    const QByteArray caminho = QFile::encodeName(caminho_);
    const int fd = ::open(caminho.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0660);
    if (fd < 0) {
        erro = ArquivoDados::ErroAbrir(caminho_, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    QByteArray linha = ParaJson(r) + '\n';
    // A line cut short by a crash must not swallow this one.
    const off_t tamanho = ::lseek(fd, 0, SEEK_END);
    // A new spool may be written by every account of the lab's group; the umask would say otherwise.
    if (tamanho == 0 && ::fchmod(fd, 0660) != 0) {}
    char ultimo = '\n';
    if (tamanho > 0 && ::pread(fd, &ultimo, 1, tamanho - 1) == 1 && ultimo != '\n')
        linha.prepend('\n');
    qsizetype escrito = 0;
    while (escrito < linha.size()) {
        const ssize_t n = ::write(fd, linha.constData() + escrito, size_t(linha.size() - escrito));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            erro =
                ArquivoDados::ErroGravar(caminho_, QString::fromLocal8Bit(std::strerror(n < 0 ? errno : ENOSPC)));
            // Take back a partial line, so that the file holds whole results only.
            if (::ftruncate(fd, tamanho) != 0) {}
            ::close(fd);
            return false;
        }
        escrito += n;
    }
    if (::fsync(fd) != 0) {
        erro = ArquivoDados::ErroGravar(caminho_, QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

bool FilaResultados::Ler(QList<ResultadoSessao> &resultados, QString &erro) const
{
    resultados.clear();
    if (!QFile::exists(caminho_))
        return true;
    QByteArray dados;
    if (!ArquivoDados::LerArquivo(caminho_, dados, erro))
        return false;
    for (const QByteArray &l : Linhas(dados))
        if (auto r = DeJson(l))
            resultados.append(*r);
    return true;
}

bool FilaResultados::Vazia() const
{
    return QFile(caminho_).size() == 0;
}

bool FilaResultados::Descarregar(const Gravar &gravar, int &gravados, QString &erro)
{
    gravados = 0;
    QList<ResultadoSessao> fila;
    {
        QLockFile trava(caminho_ + QStringLiteral(".trava"));
        if (!Travar(trava, caminho_, erro) || !Ler(fila, erro))
            return false;
    }
    // The database is written without holding the lock, so that a copy that finishes a session
    // meanwhile can still keep its result here.
    QSet<QString> feitos;
    QString erroGravar;
    for (const ResultadoSessao &r : std::as_const(fila)) {
        if (!gravar(r, erroGravar))
            break;
        feitos.insert(r.chave);
    }
    gravados = int(feitos.size());
    if (!feitos.isEmpty()) {
        // Results appended meanwhile stay; whatever was written leaves, by its key, so that
        // another copy flushing at the same time can never make this one drop an unwritten result.
        QLockFile trava(caminho_ + QStringLiteral(".trava"));
        if (!Travar(trava, caminho_, erro))
            return false;
        QByteArray dados;
        if (!ArquivoDados::LerArquivo(caminho_, dados, erro))
            return false;
        QByteArray resto;
        for (const QByteArray &l : Linhas(dados)) {
            const auto r = DeJson(l);
            if (r && !feitos.contains(r->chave))
                resto += l + '\n';
        }
        if (resto.isEmpty()) {
            QFile f(caminho_);
            if (!f.resize(0)) {
                erro = ArquivoDados::ErroGravar(caminho_, f.errorString());
                return false;
            }
        } else if (!ArquivoDados::SalvarInteiro(caminho_, resto, erro)) {
            return false;
        }
    }
    if (gravados < fila.size()) {
        erro = erroGravar;
        return false;
    }
    return true;
}
