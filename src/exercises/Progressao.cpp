#include "exercises/Progressao.h"

#include "access/ArquivoAlunos.h"
#include "common/Digita.h"
#include "common/Formatos.h"
#include "exercises/Biblioteca.h"

#include <limits>

namespace Progressao {

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
    ArquivoAlunos arquivo;
    return arquivo.Abrir(d.Caminho(ArquivoAlunos::kNomeArquivo), erro) && arquivo.Gravar(d.AlunoAtual, erro);
}

QString RecusaProximo(const Digita &d, bool exercicioConcluido)
{
    if (d.EhAdministrador())
        return kSomenteAluno;
    if (!exercicioConcluido)
        return kSomenteAposConclusao;
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

    const qint16 anterior = d.AlunoAtual.Exercicio;
    d.AlunoAtual.Exercicio = qint16(d.ExercicioAtual + 2);
    QString erro;
    if (!GravarProgresso(d, erro)) {
        // Not stored, so not moved: the student can try again once the file is writable.
        d.AlunoAtual.Exercicio = anterior;
        avanco.Recusa = erro;
        return avanco;
    }
    d.ExercicioAtual = qint16(d.ExercicioAtual + 1);
    avanco.Exercicio = CarregarExercicio(d);
    return avanco;
}

Avanco EscolherExercicio(Digita &d)
{
    Avanco avanco;
    const Aluno anterior = d.AlunoAtual;
    d.AlunoAtual.Classe = d.ClasseAtual;
    d.AlunoAtual.Exercicio = qint16(d.ExercicioAtual + 1);
    QString erro;
    if (!GravarProgresso(d, erro)) {
        d.AlunoAtual = anterior;
        avanco.Recusa = erro;
        return avanco;
    }
    avanco.Exercicio = CarregarExercicio(d);
    return avanco;
}

} // namespace Progressao
