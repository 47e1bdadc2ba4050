#include "access/ArquivoAlunos.h"

#include "access/ArquivoDados.h"
#include "common/Cp1252.h"
#include "common/Formatos.h"

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
    if (!Aberto())
        return 0;
    const qint64 registros = dispositivo_->size() / Aluno::kTamanho;
    return int(qMin<qint64>(registros, std::numeric_limits<int>::max()));
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
    if (!dispositivo_->seek(qint64(numero - 1) * Aluno::kTamanho)) {
        erro = ArquivoDados::ErroLer(caminho_, dispositivo_->errorString());
        return false;
    }
    QByteArray bytes(Aluno::kTamanho, '\0');
    const qint64 lidos = dispositivo_->read(bytes.data(), bytes.size());
    if (lidos != bytes.size()) {
        erro = ArquivoDados::ErroLer(caminho_, lidos < 0 ? dispositivo_->errorString()
                                                         : QStringLiteral("registro %1 incompleto").arg(numero));
        return false;
    }
    aluno = Decodificar(bytes);
    return true;
}

bool ArquivoAlunos::Gravar(const Aluno &aluno, QString &erro)
{
    if (!Aberto()) {
        erro = ArquivoDados::ErroGravar(caminho_, QStringLiteral("o arquivo não está aberto"));
        return false;
    }
    const int numero = NumeroDoCodigo(aluno.Codigo);
    if (numero > kCodigoMaximo) {
        erro = ArquivoDados::ErroGravar(caminho_, kCadastroCompleto);
        return false;
    }
    if (numero < 1) {
        erro = ArquivoDados::ErroGravar(caminho_, QStringLiteral("código de aluno inválido (%1)")
                                                       .arg(TirarEspacos(aluno.Codigo)));
        return false;
    }
    if (numero > ProximoCodigo()) {
        erro = ArquivoDados::ErroGravar(caminho_, QStringLiteral("o código %1 está além do próximo código livre (%2)")
                                                       .arg(Formatar(numero, 4), Formatar(ProximoCodigo(), 4)));
        return false;
    }
    if (!dispositivo_->isWritable()) {
        erro = ArquivoDados::ErroGravar(caminho_, QStringLiteral("o arquivo está aberto somente para leitura"));
        return false;
    }

    // A code typed with more digits than the field holds ("00007") is stored in its four-digit form:
    // cutting it would store a different code.
    Aluno registro = aluno;
    if (TirarEspacos(registro.Codigo).size() > Aluno::kTamCodigo)
        registro.Codigo = Formatar(numero, Aluno::kTamCodigo);

    QByteArray bytes;
    QString motivo;
    if (!Codificar(registro, bytes, motivo)) {
        erro = ArquivoDados::ErroGravar(caminho_, motivo);
        return false;
    }
    // One write of the whole record at its offset: another handle writing another record of the
    // same file never sees, nor overwrites, part of this one.
    if (!dispositivo_->seek(qint64(numero - 1) * Aluno::kTamanho)) {
        erro = ArquivoDados::ErroGravar(caminho_, dispositivo_->errorString());
        return false;
    }
    if (!ArquivoDados::EscreverTudo(*dispositivo_, bytes, motivo)) {
        erro = ArquivoDados::ErroGravar(caminho_, motivo);
        return false;
    }
    if (auto *arquivo = qobject_cast<QFileDevice *>(dispositivo_); arquivo && !arquivo->flush()) {
        erro = ArquivoDados::ErroGravar(caminho_, arquivo->errorString());
        return false;
    }
    return true;
}

bool ArquivoAlunos::Apagar(int numero, Aluno &aluno, QString &erro)
{
    Aluno registro;
    if (!Ler(numero, registro, erro))
        return false;
    registro.Codigo = Formatar(numero, Aluno::kTamCodigo);
    registro.Nome = QString(Aluno::kTamNome, u' ');
    registro.Senha = QString(Aluno::kTamSenha, u' ');
    registro.Classe = 1;
    registro.Exercicio = 1;
    if (!Gravar(registro, erro))
        return false;
    aluno = registro;
    return true;
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
