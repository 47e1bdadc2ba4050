#include "access/ArquivoDatilux.h"

#include "common/ArquivoDados.h"
#include "common/Cp1252.h"
#include "common/Digita.h"
#include "common/TravaArquivo.h"

#include <functional>

namespace ArquivoDatilux {

namespace {

const QByteArray kInicio = QByteArrayLiteral("#!");
const QByteArray kMeio = QByteArrayLiteral("#@");
const QByteArray kFim = QByteArrayLiteral("#$");

QByteArray Chave(const QByteArray &chave)
{
    return kInicio + chave;
}

// The one way the store changes. Under its lock, the file is read as it is now (another computer
// may have written since this copy last read it) and handed to `mudar`, which changes only what it
// means to change and returns false to leave the file as it is; the result is written back whole.
// The cache takes what the file then holds. On failure the file is as it was.
bool Atualizar(Digita &d, const std::function<bool(QByteArray &)> &mudar, QString &erro)
{
    const QString caminho = d.Caminho(kNomeArquivo);
    TravaArquivo trava(caminho);
    QString motivo;
    if (!trava.Travar(motivo)) {
        erro = ArquivoDados::ErroGravar(caminho, motivo);
        return false;
    }
    QByteArray texto;
    if (!ArquivoDados::LerArquivo(caminho, texto, erro)) {
        d.TextoConfig.clear();
        return false;
    }
    QByteArray novo = texto;
    if (!mudar(novo)) {
        d.TextoConfig = texto;
        return true;
    }
    if (!ArquivoDados::SalvarInteiro(caminho, novo, erro)) {
        d.TextoConfig = texto;
        return false;
    }
    d.TextoConfig = novo;
    return true;
}

QString Recusa(const QString &chave, const QString &valor)
{
    const QString motivo = MotivoRecusa(QStringLiteral("A chave"), chave);
    return motivo.isEmpty() ? MotivoRecusa(QStringLiteral("O valor"), valor) : motivo;
}

// The entry whose start marker is at `inicio` has its value marker and then its end marker, before
// any other entry begins. Written keys and values never hold a marker (see MotivoRecusa), so
// anything else is a cut or damaged file.
bool EntradaInteira(const QByteArray &texto, qsizetype inicio)
{
    const qsizetype depois = inicio + kInicio.size();
    const qsizetype meio = texto.indexOf(kMeio, depois);
    const qsizetype fim = texto.indexOf(kFim, depois);
    if (meio < 0 || fim < meio)
        return false;
    const qsizetype outraEntrada = texto.indexOf(kInicio, depois);
    const qsizetype outroMeio = texto.indexOf(kMeio, meio + kMeio.size());
    return (outraEntrada < 0 || outraEntrada > fim) && (outroMeio < 0 || outroMeio > fim);
}

// The key's entry cannot be trusted: it is cut or runs into the next entry; or the key is missing
// from a file that ends inside an entry, which may have been the key's. Bytes after the last entry
// (left by writers that did not shorten the file) end with an end marker, as the file they came
// from did, so they never count as damage.
bool Danificada(const QByteArray &texto, const QByteArray &chave)
{
    const qsizetype inicio = texto.indexOf(Chave(chave));
    if (inicio >= 0)
        return !EntradaInteira(texto, inicio);
    const qsizetype ultima = texto.lastIndexOf(kInicio);
    return ultima >= 0 && !EntradaInteira(texto, ultima);
}

} // namespace

QByteArray Embaralhar(const QByteArray &texto)
{
    QByteArray saida(texto.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texto.size(); ++i)
        saida[i] = char(255 - static_cast<unsigned char>(texto[i]));
    return saida;
}

QByteArray BuscarValor(const QByteArray &texto, const QByteArray &chave)
{
    const qsizetype inicio = texto.indexOf(Chave(chave));
    if (inicio < 0)
        return {};
    const qsizetype meio = texto.indexOf(kMeio, inicio);
    if (meio < 0)
        return {};
    const qsizetype fim = texto.indexOf(kFim, meio);
    if (fim < 0)
        return {};
    // The value marker's '@' cannot start an end marker, so the value begins at or before `fim`.
    const qsizetype de = meio + kMeio.size();
    return texto.mid(de, fim - de);
}

void DefinirValor(QByteArray &texto, const QByteArray &chave, const QByteArray &valor)
{
    const QByteArray entrada = Chave(chave) + kMeio + valor + kFim;
    const qsizetype inicio = texto.indexOf(Chave(chave));
    if (inicio < 0) {
        texto.append(entrada);
        return;
    }
    // An entry without an end marker (a damaged file) runs to the end of the text.
    const qsizetype fim = texto.indexOf(kFim, inicio);
    const qsizetype depois = fim < 0 ? texto.size() : fim + kFim.size();
    texto = texto.left(inicio) + entrada + texto.mid(depois);
}

QString MotivoRecusa(const QString &campo, const QString &texto)
{
    if (!Cp1252::representavel(texto))
        return ArquivoDados::MotivoTextoNaoRepresentavel(campo, texto);
    // The complements of '#', '!', '@' and '$'.
    for (qsizetype i = 0; i + 1 < texto.size(); ++i) {
        if (texto[i] == u'Ü' && (texto[i + 1] == u'Þ' || texto[i + 1] == u'¿' || texto[i + 1] == u'Û'))
            return QStringLiteral("%1 não pode conter \"%2\"").arg(campo, texto.mid(i, 2));
    }
    return {};
}

bool LerConfig(Digita &d, const QString &chave, QString &valor, QString &erro)
{
    valor.clear();
    // No entry can have a key the code page cannot hold.
    if (!Cp1252::representavel(chave))
        return true;
    if (d.TextoConfig.isEmpty()) {
        const QString caminho = d.Caminho(kNomeArquivo);
        if (!ArquivoDados::CriarSeAusente(caminho, erro)
            || !ArquivoDados::LerArquivo(caminho, d.TextoConfig, erro))
            return false;
    }
    valor = Cp1252::decodificar(Embaralhar(BuscarValor(d.TextoConfig, Embaralhar(Cp1252::codificar(chave)))));
    return true;
}

bool GravarConfig(Digita &d, const QString &chave, const QString &valor, QString &erro)
{
    if (const QString motivo = Recusa(chave, valor); !motivo.isEmpty()) {
        erro = ArquivoDados::ErroGravar(d.Caminho(kNomeArquivo), motivo);
        return false;
    }
    const QByteArray k = Embaralhar(Cp1252::codificar(chave));
    const QByteArray v = Embaralhar(Cp1252::codificar(valor));
    return Atualizar(
        d,
        [&](QByteArray &texto) {
            DefinirValor(texto, k, v);
            return true;
        },
        erro);
}

bool GravarConfigSeVazia(Digita &d, const QString &chave, const QString &valor, QString &erro)
{
    if (const QString motivo = Recusa(chave, valor); !motivo.isEmpty()) {
        erro = ArquivoDados::ErroGravar(d.Caminho(kNomeArquivo), motivo);
        return false;
    }
    const QByteArray k = Embaralhar(Cp1252::codificar(chave));
    const QByteArray v = Embaralhar(Cp1252::codificar(valor));
    return Atualizar(
        d,
        [&](QByteArray &texto) {
            if (!BuscarValor(texto, k).isEmpty())
                return false;
            DefinirValor(texto, k, v);
            return true;
        },
        erro);
}

bool CarregarSenhaAdm(Digita &d, QString &erro)
{
    d.SenhaAdmAtual.clear();
    d.FalhaSenhaAdm.clear();
    const QString caminho = ArquivoDados::CaminhoCompleto(d.Caminho(kNomeArquivo));
    // An empty password is not what the administrator set when the store cannot be read, and the
    // default must not replace a password that a damaged entry still holds: either way the store
    // is left for someone to repair, and the administrator waits until then.
    QString senha;
    bool lida = LerConfig(d, kChaveSenhaAdm, senha, erro);
    if (lida && Danificada(d.TextoConfig, Embaralhar(Cp1252::codificar(kChaveSenhaAdm)))) {
        erro = QStringLiteral("O arquivo %1 está danificado: a senha do administrador não pode ser lida.\n\n"
                              "O arquivo não foi alterado. Os alunos podem entrar normalmente; o administrador "
                              "só poderá entrar depois que o arquivo for restaurado de uma cópia de segurança, "
                              "ou apagado (ou renomeado) para que a senha inicial de uma instalação nova volte "
                              "a valer.")
                   .arg(caminho);
        d.FalhaSenhaAdm = erro;
        return false;
    }
    if (lida && senha.isEmpty())
        lida = GravarConfigSeVazia(d, kChaveSenhaAdm, kSenhaPadrao, erro)
               && LerConfig(d, kChaveSenhaAdm, senha, erro);
    if (!lida) {
        erro +=
            QStringLiteral("\n\nA senha do administrador não está disponível, e o arquivo não foi alterado. "
                           "Os alunos podem entrar normalmente; o administrador só poderá entrar quando o "
                           "arquivo %1 puder ser lido e gravado: verifique se ele é um arquivo comum, se os "
                           "usuários do programa podem ler e gravar nele e na sua pasta e se há espaço em disco.")
                .arg(caminho);
        d.FalhaSenhaAdm = erro;
        return false;
    }
    d.SenhaAdmAtual = senha;
    return true;
}

} // namespace ArquivoDatilux
