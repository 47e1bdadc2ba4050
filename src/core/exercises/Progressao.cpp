#include "exercises/Progressao.h"

#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "common/Digita.h"
#include "common/Formatos.h"
#include "exercises/Biblioteca.h"

#include <limits>

namespace Progressao {

namespace {

bool MesmoAluno(const Aluno &a, const Aluno &b)
{
    return TirarEspacos(a.Codigo) == TirarEspacos(b.Codigo) && TirarEspacos(a.Nome) == TirarEspacos(b.Nome);
}

enum class Escrita { Gravado, OutroAluno, OutroLugar, Falha };

// Under the lock of Alunos.arq: the student's record read afresh, and only its class and exercise
// replaced, while it is still the student's and, when `lugar` is given, still holds that place.
// `noArquivo` receives the record as the file holds it afterwards.
Escrita GravarLugar(const Digita &d, qint16 classe, qint16 exercicio,
                    std::optional<std::pair<qint16, qint16>> lugar, Aluno &noArquivo, QString &erro)
{
    ArquivoAlunos arquivo;
    if (!arquivo.Abrir(d.Caminho(ArquivoAlunos::kNomeArquivo), erro))
        return Escrita::Falha;
    Escrita escrita = Escrita::Gravado;
    const auto decidir = [&](const std::optional<Aluno> &atual, int, Aluno &gravar) {
        if (!atual || !MesmoAluno(*atual, d.AlunoAtual)) {
            escrita = Escrita::OutroAluno;
            return false;
        }
        noArquivo = *atual;
        if (lugar && std::pair(atual->Classe, atual->Exercicio) != *lugar) {
            escrita = Escrita::OutroLugar;
            return false;
        }
        gravar = *atual;
        gravar.Classe = classe;
        gravar.Exercicio = exercicio;
        noArquivo = gravar;
        return true;
    };
    const int numero = NumeroDoCodigo(d.AlunoAtual.Codigo);
    switch (arquivo.Atualizar(numero, decidir, erro)) {
    case ArquivoAlunos::Resultado::Gravado: return Escrita::Gravado;
    case ArquivoAlunos::Resultado::Recusado: break;
    case ArquivoAlunos::Resultado::Falha: return Escrita::Falha;
    }
    if (escrita == Escrita::OutroAluno)
        erro = CadastroMudou(Formatar(numero, 4), TirarEspacos(d.AlunoAtual.Nome));
    return escrita;
}

} // namespace

QString CadastroMudou(const QString &codigo, const QString &nome)
{
    return QStringLiteral(
               "O cadastro do código %1 não é mais de %2: foi alterado ou excluído em outro computador. "
               "Nada foi gravado; peça ajuda ao professor.")
        .arg(codigo, nome);
}

QString LugarMudou(int classe, int exercicio)
{
    return QStringLiteral("O seu lugar no curso foi alterado em outro computador: classe %1, exercício %2. "
                          "Esse exercício foi carregado; nada foi gravado.")
        .arg(Formatar(classe, 2), Formatar(exercicio, 3));
}

Carga CarregarExercicio(const Digita &d)
{
    Carga carga;
    const int classe = d.ClasseAtual;
    const int indice = d.ExercicioAtual;
    if (classe >= 1 && classe <= Biblioteca::kClasses) {
        carga.Texto = Biblioteca::Texto(classe, indice);
        if (!carga.Texto) {
            carga.Mensagem = kExercicioNaoExistente;
            return carga;
        }
        if (classe == Biblioteca::kClasses)
            carga.Tempo = Biblioteca::TempoClasse6(indice).value_or(QString());
    }
    carga.Carregado = true;
    carga.LblExercicio = QLatin1Char(' ') + Formatar(indice + 1, 3);
    carga.LblClasse = QLatin1Char(' ') + Formatar(classe, 2);
    return carga;
}

Carga CarregarDoRegistro(Digita &d)
{
    d.ExercicioAtual = qint16(d.AlunoAtual.Exercicio - 1);
    d.ClasseAtual = d.AlunoAtual.Classe;
    return CarregarExercicio(d);
}

bool GravarProgresso(Digita &d, QString &erro)
{
    Aluno gravado;
    if (GravarLugar(d, d.AlunoAtual.Classe, d.AlunoAtual.Exercicio, std::nullopt, gravado, erro)
        != Escrita::Gravado)
        return false;
    d.AlunoAtual = gravado;
    return true;
}

QString RecusaProximo(const Digita &d, bool exercicioConcluido)
{
    if (d.EhAdministrador())
        return kSomenteAluno;
    if (!exercicioConcluido)
        return kSomenteAposConclusao;
    return {};
}

bool SomenteConcluido(Digita &d)
{
    QString valor, erro;
    return ArquivoDatilux::LerConfig(d, kChaveSomenteConcluido, valor, erro)
           && valor.trimmed() == QStringLiteral("1");
}

bool GravarSomenteConcluido(Digita &d, bool ligado, QString &erro)
{
    return ArquivoDatilux::GravarConfig(d, kChaveSomenteConcluido,
                                        ligado ? QStringLiteral("1") : QStringLiteral("0"), erro);
}

QString RecusaSemConclusao(Desfecho desfecho)
{
    switch (desfecho) {
    case Desfecho::Incompleto: return kConcluaParaAvancar;
    case Desfecho::Reprovado: return kAproveParaAvancar;
    case Desfecho::Completo: break;
    }
    return {};
}

Avanco ProximoExercicio(Digita &d, bool exercicioConcluido)
{
    Avanco avanco;
    avanco.Recusa = RecusaProximo(d, exercicioConcluido);
    if (!avanco.Recusa.isEmpty())
        return avanco;
    // Past the end of a class every further step fails to load but still counts; the 16-bit
    // fields of the record end the walk long before anything overflows.
    if (d.ExercicioAtual + 2 > std::numeric_limits<qint16>::max()) {
        avanco.Recusa = kExercicioNaoExistente;
        return avanco;
    }

    // Written only over the place on screen: a record that holds another one was changed elsewhere
    // (the teacher moved the student to another class, or the student moved on at another computer),
    // and moving on from the old place would undo that.
    Aluno noArquivo;
    QString erro;
    const std::pair lugar(d.ClasseAtual, qint16(d.ExercicioAtual + 1));
    switch (GravarLugar(d, d.ClasseAtual, qint16(d.ExercicioAtual + 2), lugar, noArquivo, erro)) {
    case Escrita::Gravado:
        d.AlunoAtual = noArquivo;
        d.ExercicioAtual = qint16(d.ExercicioAtual + 1);
        avanco.Exercicio = CarregarExercicio(d);
        break;
    case Escrita::OutroLugar:
        d.AlunoAtual = noArquivo;
        avanco.Exercicio = CarregarDoRegistro(d);
        avanco.Aviso = LugarMudou(noArquivo.Classe, noArquivo.Exercicio);
        break;
    case Escrita::OutroAluno:
    case Escrita::Falha:
        // Not stored, so not moved: the student can try again once the file is writable.
        avanco.Recusa = erro;
        break;
    }
    return avanco;
}

Avanco EscolherExercicio(Digita &d, qint16 classeAntes, qint16 exercicioAntes)
{
    Avanco avanco;
    const Aluno anterior = d.AlunoAtual;
    d.AlunoAtual.Classe = d.ClasseAtual;
    d.AlunoAtual.Exercicio = qint16(d.ExercicioAtual + 1);
    QString erro;
    if (!GravarProgresso(d, erro)) {
        // Memory keeps agreeing with the record and with what is on screen.
        d.AlunoAtual = anterior;
        d.ClasseAtual = classeAntes;
        d.ExercicioAtual = exercicioAntes;
        avanco.Recusa = erro;
        return avanco;
    }
    avanco.Exercicio = CarregarExercicio(d);
    return avanco;
}

} // namespace Progressao
