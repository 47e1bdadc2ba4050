#include "config/ArquivoConfig.h"

#include "access/ArquivoAlunos.h"
#include "common/ArquivoDados.h"
#include "common/Cp1252.h"
#include "common/Digita.h"

#include <QFile>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>

namespace ArquivoConfig {

namespace {

constexpr int kOffBackSpace = 0;
constexpr int kOffTravar = 2;
constexpr int kOffSom = 4;
constexpr int kOffNomeFonte = 6;
constexpr int kOffTamanhoFonte = 36;
constexpr int kOffCorInicio = 38;
constexpr int kOffCorTexto = 42;
constexpr int kOffCorFim = 46;
constexpr int kOffCorFundoEdicao = 50;

template <class T>
void Por(QByteArray &bytes, int offset, T valor)
{
    qToLittleEndian<T>(valor, bytes.data() + offset);
}

template <class T>
T Tirar(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

} // namespace

bool Codificar(const ConfigRec &rec, QByteArray &bytes, QString &motivo)
{
    const QString nome = rec.NomeFonte.left(ConfigRec::kTamNomeFonte);
    bool ok = false;
    QByteArray fonte = Cp1252::codificar(nome, &ok);
    if (!ok) {
        motivo = ArquivoDados::MotivoTextoNaoRepresentavel(QStringLiteral("O nome da fonte"), nome);
        return false;
    }
    fonte = fonte.leftJustified(ConfigRec::kTamNomeFonte, ' ');

    bytes = QByteArray(ConfigRec::kTamanho, '\0');
    Por<qint16>(bytes, kOffBackSpace, rec.BackSpace);
    Por<qint16>(bytes, kOffTravar, rec.Travar);
    Por<qint16>(bytes, kOffSom, rec.Som);
    bytes.replace(kOffNomeFonte, fonte.size(), fonte);
    Por<qint16>(bytes, kOffTamanhoFonte, rec.TamanhoFonte);
    Por<quint32>(bytes, kOffCorInicio, rec.CorInicio);
    Por<quint32>(bytes, kOffCorTexto, rec.CorTexto);
    Por<quint32>(bytes, kOffCorFim, rec.CorFim);
    Por<quint32>(bytes, kOffCorFundoEdicao, rec.CorFundoEdicao);
    return true;
}

std::optional<ConfigRec> Decodificar(const QByteArray &bytes)
{
    if (bytes.size() < ConfigRec::kTamanho)
        return std::nullopt;
    ConfigRec rec;
    rec.BackSpace = Tirar<qint16>(bytes, kOffBackSpace);
    rec.Travar = Tirar<qint16>(bytes, kOffTravar);
    rec.Som = Tirar<qint16>(bytes, kOffSom);
    rec.NomeFonte = Cp1252::decodificar(bytes.mid(kOffNomeFonte, ConfigRec::kTamNomeFonte));
    rec.TamanhoFonte = Tirar<qint16>(bytes, kOffTamanhoFonte);
    rec.CorInicio = Tirar<quint32>(bytes, kOffCorInicio);
    rec.CorTexto = Tirar<quint32>(bytes, kOffCorTexto);
    rec.CorFim = Tirar<quint32>(bytes, kOffCorFim);
    rec.CorFundoEdicao = Tirar<quint32>(bytes, kOffCorFundoEdicao);
    return rec;
}

bool LerRegistro(QIODevice &dispositivo, std::optional<ConfigRec> &rec, QString &motivo)
{
    QByteArray bytes(ConfigRec::kTamanho, '\0');
    qint64 lidos = 0;
    while (lidos < bytes.size()) {
        const qint64 n = dispositivo.read(bytes.data() + lidos, bytes.size() - lidos);
        if (n < 0) {
            motivo = dispositivo.errorString();
            return false;
        }
        if (n == 0)
            break;
        lidos += n;
    }
    bytes.truncate(lidos);
    rec = Decodificar(bytes);
    return true;
}

bool EscreverRegistro(QIODevice &dispositivo, const ConfigRec &rec, QString &motivo)
{
    QByteArray bytes;
    return Codificar(rec, bytes, motivo) && ArquivoDados::EscreverTudo(dispositivo, bytes, motivo);
}

bool Ler(const QString &caminho, std::optional<ConfigRec> &rec, QString &erro)
{
    rec.reset();
    QFile arquivo(caminho);
    if (!arquivo.exists())
        return true;
    if (!arquivo.open(QIODevice::ReadOnly)) {
        erro = ArquivoDados::ErroAbrir(caminho, arquivo.errorString());
        return false;
    }
    QString motivo;
    if (!LerRegistro(arquivo, rec, motivo)) {
        erro = ArquivoDados::ErroLer(caminho, motivo);
        return false;
    }
    return true;
}

bool Gravar(const QString &caminho, const ConfigRec &rec, QString &erro)
{
    QByteArray bytes;
    QString motivo;
    if (!Codificar(rec, bytes, motivo)) {
        erro = ArquivoDados::ErroGravar(caminho, motivo);
        return false;
    }
    return ArquivoDados::SalvarInteiro(caminho, bytes, erro);
}

Efeito Derivar(const std::optional<ConfigRec> &rec)
{
    Efeito efeito;
    if (!rec)
        return efeito;
    efeito.PermiteBackspace = rec->BackSpace != 0;
    efeito.TravaNoErro = rec->Travar != 0;
    efeito.SomNoErro = rec->Som != 0;
    efeito.AplicarAparencia = true;
    efeito.NomeFonte = TirarEspacos(rec->NomeFonte);
    // 0 (what the dialog stores for a size that is not a number) keeps the design size; any other
    // size shows within what stays readable in the window, and the file keeps what it holds.
    efeito.TamanhoFonte =
        rec->TamanhoFonte == 0 ? 0 : std::clamp<int>(rec->TamanhoFonte, kTamanhoMinimo, kTamanhoMaximo);
    efeito.CorInicio = rec->CorInicio;
    efeito.CorFim = rec->CorFim;
    efeito.CorTexto = rec->CorTexto;
    efeito.CorFundoEdicao = rec->CorFundoEdicao;
    return efeito;
}

bool Carregar(Digita &d, Efeito &efeito, QString &erro)
{
    std::optional<ConfigRec> rec;
    if (!Ler(d.Caminho(kNomeArquivo), rec, erro))
        return false;
    d.Config = rec.value_or(Padrao());
    efeito = Derivar(rec);
    d.PermiteBackspace = efeito.PermiteBackspace;
    d.TravaNoErro = efeito.TravaNoErro;
    d.SomNoErro = efeito.SomNoErro;
    return true;
}

} // namespace ArquivoConfig
