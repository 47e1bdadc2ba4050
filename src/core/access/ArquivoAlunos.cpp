#include "access/ArquivoAlunos.h"

#include "common/ArquivoDados.h"
#include "common/Cp1252.h"
#include "common/Formatos.h"
#include "common/TravaArquivo.h"

#include <QFile>
#include <QtEndian>

#include <limits>

namespace {

constexpr int kOffCodigo = 0;
constexpr int kOffNome = 4;
constexpr int kOffSenha = 34;
constexpr int kOffClasse = 44;
constexpr int kOffExercicio = 46;
constexpr int kOffReservado = 48;
constexpr int kOffReservado2 = 58;
constexpr int kOffReservado3 = 60;

// Cut or padded with spaces to the field's width; false when the text does not fit the code page.
bool CampoTexto(const QString &texto, int largura, const QString &nomeCampo, QByteArray &campo, QString &motivo)
{
    const QString cortado = texto.left(largura);
    bool ok = false;
    campo = Cp1252::codificar(cortado, &ok);
    if (!ok) {
        motivo = ArquivoDados::MotivoTextoNaoRepresentavel(nomeCampo, cortado);
        return false;
    }
    campo = campo.leftJustified(largura, ' ');
    return true;
}

void PorInt16(QByteArray &bytes, int offset, qint16 valor)
{
    qToLittleEndian<qint16>(valor, bytes.data() + offset);
}

qint16 TirarInt16(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<qint16>(bytes.constData() + offset);
}

QString Texto(const QByteArray &bytes, int offset, int largura)
{
    return Cp1252::decodificar(bytes.mid(offset, largura));
}

int Contar(const QIODevice &dispositivo)
{
    const qint64 registros = dispositivo.size() / Aluno::kTamanho;
    return int(qMin<qint64>(registros, std::numeric_limits<int>::max()));
}

// Record `numero`, which the caller knows to be in the file. False with the reason on failure.
bool LerDe(QIODevice &dispositivo, int numero, Aluno &aluno, QString &motivo)
{
    if (!dispositivo.seek(qint64(numero - 1) * Aluno::kTamanho)) {
        motivo = dispositivo.errorString();
        return false;
    }
    QByteArray bytes(Aluno::kTamanho, '\0');
    const qint64 lidos = dispositivo.read(bytes.data(), bytes.size());
    if (lidos != bytes.size()) {
        motivo = lidos < 0 ? dispositivo.errorString() : QStringLiteral("registro %1 incompleto").arg(numero);
        return false;
    }
    aluno = ArquivoAlunos::Decodificar(bytes);
    return true;
}

} // namespace

QString TirarEspacos(const QString &texto)
{
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    while (inicio < fim && texto[inicio] == u' ')
        ++inicio;
    while (fim > inicio && texto[fim - 1] == u' ')
        --fim;
    return texto.mid(inicio, fim - inicio);
}

int NumeroDoCodigo(const QString &codigo)
{
    return ValorInteiro(codigo);
}

ArquivoAlunos::ArquivoAlunos() = default;
ArquivoAlunos::~ArquivoAlunos() = default;

bool ArquivoAlunos::Abrir(const QString &caminho, QString &erro)
{
    Fechar();
    // Known even when opening fails, so that every later message still names the file.
    caminho_ = caminho;
    // A new register is created as every data file is (shared with the folder's group only); when
    // that fails, the open below gives the reason.
    QString semCriar;
    ArquivoDados::CriarSeAusente(caminho, semCriar);
    auto arquivo = std::make_unique<QFile>(caminho);
    // Unbuffered: a record written by another handle (the main window's progress write while the
    // login is open, say) must be seen at once, never served from a stale read buffer.
    if (!arquivo->open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        const QString motivo = arquivo->errorString();
        if (!arquivo->exists() || !arquivo->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            erro = ArquivoDados::ErroAbrir(caminho, motivo);
            return false;
        }
    }
    dispositivo_ = arquivo.get();
    proprio_ = std::move(arquivo);
    return true;
}

void ArquivoAlunos::Usar(QIODevice *dispositivo, const QString &caminho)
{
    Fechar();
    dispositivo_ = dispositivo;
    caminho_ = caminho;
}

void ArquivoAlunos::Fechar()
{
    proprio_.reset();
    dispositivo_ = nullptr;
}

bool ArquivoAlunos::Aberto() const
{
    return dispositivo_ && dispositivo_->isOpen();
}

int ArquivoAlunos::Quantidade() const
{
    return Aberto() ? Contar(*dispositivo_) : 0;
}

bool ArquivoAlunos::Codificar(const Aluno &aluno, QByteArray &bytes, QString &motivo)
{
    QByteArray codigo, nome, senha, reservado;
    if (!CampoTexto(aluno.Codigo, Aluno::kTamCodigo, QStringLiteral("O código"), codigo, motivo)
        || !CampoTexto(aluno.Nome, Aluno::kTamNome, QStringLiteral("O nome"), nome, motivo)
        || !CampoTexto(aluno.Senha, Aluno::kTamSenha, QStringLiteral("A senha"), senha, motivo))
        return false;
    // The reserved text is carried as raw bytes: whatever an older record held goes back unchanged.
    reservado = aluno.Reservado.left(Aluno::kTamReservado);
    reservado.append(QByteArray(Aluno::kTamReservado - reservado.size(), '\0'));

    bytes = QByteArray(Aluno::kTamanho, '\0');
    bytes.replace(kOffCodigo, codigo.size(), codigo);
    bytes.replace(kOffNome, nome.size(), nome);
    bytes.replace(kOffSenha, senha.size(), senha);
    PorInt16(bytes, kOffClasse, aluno.Classe);
    PorInt16(bytes, kOffExercicio, aluno.Exercicio);
    bytes.replace(kOffReservado, reservado.size(), reservado);
    PorInt16(bytes, kOffReservado2, aluno.Reservado2);
    PorInt16(bytes, kOffReservado3, aluno.Reservado3);
    return true;
}

Aluno ArquivoAlunos::Decodificar(const QByteArray &bytes)
{
    Q_ASSERT(bytes.size() >= Aluno::kTamanho);
    Aluno aluno;
    aluno.Codigo = Texto(bytes, kOffCodigo, Aluno::kTamCodigo);
    aluno.Nome = Texto(bytes, kOffNome, Aluno::kTamNome);
    aluno.Senha = Texto(bytes, kOffSenha, Aluno::kTamSenha);
    aluno.Classe = TirarInt16(bytes, kOffClasse);
    aluno.Exercicio = TirarInt16(bytes, kOffExercicio);
    aluno.Reservado = bytes.mid(kOffReservado, Aluno::kTamReservado);
    aluno.Reservado2 = TirarInt16(bytes, kOffReservado2);
    aluno.Reservado3 = TirarInt16(bytes, kOffReservado3);
    return aluno;
}

bool ArquivoAlunos::Ler(int numero, Aluno &aluno, QString &erro) const
{
    if (!Aberto()) {
        erro = ArquivoDados::ErroLer(caminho_, QStringLiteral("o arquivo não está aberto"));
        return false;
    }
    if (numero < 1 || numero > Quantidade()) {
        erro = ArquivoDados::ErroLer(caminho_, QStringLiteral("o registro %1 não existe").arg(numero));
        return false;
    }
    QString motivo;
    if (!LerDe(*dispositivo_, numero, aluno, motivo)) {
        erro = ArquivoDados::ErroLer(caminho_, motivo);
        return false;
    }
    return true;
}

bool ArquivoAlunos::Gravar(const Aluno &aluno, QString &erro)
{
    const int numero = NumeroDoCodigo(aluno.Codigo);
    if (Aberto() && numero < 1) {
        erro = ArquivoDados::ErroGravar(
            caminho_, QStringLiteral("código de aluno inválido (%1)").arg(TirarEspacos(aluno.Codigo)));
        return false;
    }
    // A code typed with more digits than the field holds ("00007") is stored in its four-digit form:
    // cutting it would store a different code.
    Aluno registro = aluno;
    if (TirarEspacos(registro.Codigo).size() > Aluno::kTamCodigo)
        registro.Codigo = Formatar(numero, Aluno::kTamCodigo);
    const auto sempre = [&](const std::optional<Aluno> &, int, Aluno &gravar) {
        gravar = registro;
        return true;
    };
    return Atualizar(numero, sempre, erro) == Resultado::Gravado;
}

ArquivoAlunos::Resultado ArquivoAlunos::Atualizar(int numero, const Decisao &decidir, QString &erro)
{
    if (!Aberto()) {
        erro = ArquivoDados::ErroGravar(caminho_, QStringLiteral("o arquivo não está aberto"));
        return Resultado::Falha;
    }
    if (numero > kCodigoMaximo) {
        erro = ArquivoDados::ErroGravar(caminho_, kCadastroCompleto);
        return Resultado::Falha;
    }
    if (numero < 1) {
        erro = ArquivoDados::ErroGravar(caminho_, QStringLiteral("código de aluno inválido (%1)").arg(numero));
        return Resultado::Falha;
    }
    if (!dispositivo_->isWritable()) {
        erro = ArquivoDados::ErroGravar(caminho_, QStringLiteral("o arquivo está aberto somente para leitura"));
        return Resultado::Falha;
    }

    TravaArquivo trava(caminho_);
    QString motivo;
    if (!trava.Travar(motivo)) {
        erro = ArquivoDados::ErroGravar(caminho_, motivo);
        return Resultado::Falha;
    }
    // Under the lock the file is opened anew: on a network folder a handle kept open may answer from
    // what this computer cached, while one opened now sees what the other computers wrote and closed.
    std::unique_ptr<QFile> recente;
    QIODevice *dispositivo = dispositivo_;
    if (proprio_) {
        recente = std::make_unique<QFile>(caminho_);
        if (!recente->open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
            erro = ArquivoDados::ErroGravar(caminho_, recente->errorString());
            return Resultado::Falha;
        }
        dispositivo = recente.get();
    }

    const int quantidade = Contar(*dispositivo);
    if (numero > quantidade + 1) {
        erro =
            ArquivoDados::ErroGravar(caminho_, QStringLiteral("o código %1 está além do próximo código livre (%2)")
                                                   .arg(Formatar(numero, 4), Formatar(quantidade + 1, 4)));
        return Resultado::Falha;
    }
    std::optional<Aluno> noArquivo;
    if (numero <= quantidade) {
        Aluno lido;
        if (!LerDe(*dispositivo, numero, lido, motivo)) {
            erro = ArquivoDados::ErroLer(caminho_, motivo);
            return Resultado::Falha;
        }
        noArquivo = lido;
    }
    Aluno registro;
    if (!decidir(noArquivo, quantidade, registro))
        return Resultado::Recusado;

    QByteArray bytes;
    if (!Codificar(registro, bytes, motivo)) {
        erro = ArquivoDados::ErroGravar(caminho_, motivo);
        return Resultado::Falha;
    }
    // One write of the whole record at its offset: another handle writing another record of the
    // same file never sees, nor overwrites, part of this one.
    if (!dispositivo->seek(qint64(numero - 1) * Aluno::kTamanho)) {
        erro = ArquivoDados::ErroGravar(caminho_, dispositivo->errorString());
        return Resultado::Falha;
    }
    if (!ArquivoDados::EscreverTudo(*dispositivo, bytes, motivo)) {
        erro = ArquivoDados::ErroGravar(caminho_, motivo);
        return Resultado::Falha;
    }
    // A network file system may refuse the data only when the handle is closed.
    auto *arquivo = qobject_cast<QFileDevice *>(dispositivo);
    if (arquivo && recente)
        arquivo->close();
    else if (arquivo)
        arquivo->flush();
    if (arquivo && arquivo->error() != QFileDevice::NoError) {
        erro = ArquivoDados::ErroGravar(caminho_, arquivo->errorString());
        return Resultado::Falha;
    }
    return Resultado::Gravado;
}

ArquivoAlunos::Resultado ArquivoAlunos::Incluir(const Aluno &aluno, int &proximoLivre, QString &erro)
{
    const auto livre = [&](const std::optional<Aluno> &noArquivo, int quantidade, Aluno &gravar) {
        proximoLivre = quantidade + 1;
        if (noArquivo && !TirarEspacos(noArquivo->Nome).isEmpty())
            return false;
        gravar = aluno;
        return true;
    };
    return Atualizar(NumeroDoCodigo(aluno.Codigo), livre, erro);
}

ArquivoAlunos::Resultado ArquivoAlunos::GravarSeIgual(const Aluno &aluno, const std::optional<Aluno> &esperado,
                                                      std::optional<Aluno> &noArquivo, QString &erro)
{
    const auto igual = [&](const std::optional<Aluno> &atual, int, Aluno &gravar) {
        noArquivo = atual;
        gravar = aluno;
        return atual == esperado;
    };
    return Atualizar(NumeroDoCodigo(aluno.Codigo), igual, erro);
}

ArquivoAlunos::Resultado ArquivoAlunos::ApagarSeIgual(int numero, const std::optional<Aluno> &esperado,
                                                      Aluno &aluno, QString &erro)
{
    bool existe = true;
    Aluno branco;
    const auto apagar = [&](const std::optional<Aluno> &atual, int, Aluno &gravar) {
        existe = atual.has_value();
        if (!existe)
            return false;
        if (esperado && atual != esperado) {
            aluno = *atual;
            return false;
        }
        branco = *atual;
        branco.Codigo = Formatar(numero, Aluno::kTamCodigo);
        branco.Nome = QString(Aluno::kTamNome, u' ');
        branco.Senha = QString(Aluno::kTamSenha, u' ');
        branco.Classe = 1;
        branco.Exercicio = 1;
        gravar = branco;
        return true;
    };
    const Resultado resultado = Atualizar(numero, apagar, erro);
    if (resultado == Resultado::Recusado && !existe) {
        erro = ArquivoDados::ErroLer(caminho_, QStringLiteral("o registro %1 não existe").arg(numero));
        return Resultado::Falha;
    }
    if (resultado == Resultado::Gravado)
        aluno = branco;
    return resultado;
}

ArquivoAlunos::Identificacao ArquivoAlunos::Identificar(int codigo, Aluno &aluno, QString &erro) const
{
    if (codigo == 0)
        return Identificacao::Administrador;
    if (codigo < 0 || codigo > Quantidade())
        return Identificacao::NaoCadastrado;
    Aluno registro;
    if (!Ler(codigo, registro, erro))
        return Identificacao::Falha;
    // A deleted student's slot stays in the file with a blank name; its empty password must not
    // open it.
    if (TirarEspacos(registro.Nome).isEmpty())
        return Identificacao::NaoCadastrado;
    aluno = registro;
    return Identificacao::Aluno;
}

bool ArquivoAlunos::LerTodos(const QString &caminho, QList<Aluno> &alunos, QString &erro)
{
    alunos.clear();
    QByteArray dados;
    if (!QFile::exists(caminho))
        return true;
    if (!ArquivoDados::LerArquivo(caminho, dados, erro))
        return false;
    const qsizetype n = dados.size() / Aluno::kTamanho;
    alunos.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        alunos.append(Decodificar(dados.mid(i * Aluno::kTamanho, Aluno::kTamanho)));
    return true;
}
