#include "relatorio/RelatorioTurma.h"

#include "access/ArquivoAlunos.h"

#include <QHash>
#include <QLocale>

#include <utility>

namespace RelatorioTurma {

namespace {

QString Numero(std::optional<double> v, int casas)
{
    return v ? QLocale(QLocale::Portuguese, QLocale::Brazil).toString(*v, 'f', casas) : QString();
}

QString Duracao(qint64 segundos)
{
    return QStringLiteral("%1:%2:%3")
        .arg(segundos / 3600, 2, 10, QLatin1Char('0'))
        .arg(segundos / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(segundos % 60, 2, 10, QLatin1Char('0'));
}

// Speeds in whole keystrokes a minute, as the main window shows them; accuracy with one decimal.
QString Celula(const Linha &l, int coluna, bool planilha)
{
    switch (coluna) {
    case kCodigo: return QString::number(l.codigo);
    case kNome: return l.nome;
    case kClasse: return QString::number(l.classe);
    case kExercicio: return QString::number(l.exercicio);
    case kSessoes: return QString::number(l.sessoes);
    case kTempo: return Duracao(l.segundos);
    case kUltimaSessao:
        return l.ultimaSessao.isValid() ? l.ultimaSessao.toString(QStringLiteral("dd/MM/yyyy")) : QString();
    case kUltimaPpm: return Numero(l.ultimaPpm, 0);
    case kMelhorPpm: return Numero(l.melhorPpm, 0);
    case kPrecisao: {
        const QString p = Numero(l.precisaoRecente, 1);
        return p.isEmpty() || planilha ? p : p + QLatin1Char('%');
    }
    case kAprovados: return QString::number(l.aprovados);
    case kReprovados: return QString::number(l.reprovados);
    default: return {};
    }
}

QByteArray Campo(const QString &texto)
{
    QByteArray b = texto.toUtf8();
    if (b.contains(';') || b.contains('"') || b.contains('\n') || b.contains('\r'))
        b = '"' + b.replace('"', "\"\"") + '"';
    return b;
}

} // namespace

QString Titulo(int coluna)
{
    static const char *const titulos[kColunas] = {
        "Cód",          "Nome",          "Classe",      "Exerc",       "Sessões",
        "Tempo",        "Última sessão", "Última vel.", "Melhor vel.", "Precisão (10 últ.)",
        "Aprov. cl. 6", "Reprov. cl. 6"};
    return coluna >= 0 && coluna < kColunas ? QString::fromUtf8(titulos[coluna]) : QString();
}

bool Numerica(int coluna)
{
    return coluna != kNome && coluna != kUltimaSessao;
}

QList<Linha> Montar(const QList<Aluno> &alunos, const QList<ResumoAluno> &resumo)
{
    QHash<int, const ResumoAluno *> porCodigo;
    for (const ResumoAluno &r : resumo)
        porCodigo.insert(r.codigo, &r);
    QList<Linha> linhas;
    for (const Aluno &a : alunos) {
        const QString nome = TirarEspacos(a.Nome);
        if (nome.isEmpty()) // a deleted student's slot
            continue;
        Linha l;
        l.codigo = NumeroDoCodigo(a.Codigo);
        l.nome = nome;
        l.classe = a.Classe;
        l.exercicio = a.Exercicio;
        // The store's registration is the same student only under the same name: a code given to
        // someone else shows nothing of the previous holder's history.
        if (const ResumoAluno *r = porCodigo.value(l.codigo); r && TirarEspacos(r->nome) == nome) {
            l.sessoes = r->sessoes;
            l.segundos = r->segundos;
            l.ultimaSessao = r->ultimoFim;
            l.ultimaPpm = r->ultimaPpm;
            l.melhorPpm = r->melhorPpm;
            l.precisaoRecente = r->precisaoRecente;
            l.aprovados = r->aprovados;
            l.reprovados = r->reprovados;
        }
        linhas.append(std::move(l));
    }
    return linhas;
}

QString Texto(const Linha &l, int coluna)
{
    return Celula(l, coluna, false);
}

QVariant Chave(const Linha &l, int coluna)
{
    const auto opcional = [](std::optional<double> v) { return v ? QVariant(*v) : QVariant(-1.0); };
    switch (coluna) {
    case kCodigo: return l.codigo;
    case kNome: return l.nome;
    case kClasse: return l.classe * 1000 + l.exercicio;
    case kExercicio: return l.exercicio;
    case kSessoes: return l.sessoes;
    case kTempo: return l.segundos;
    case kUltimaSessao: return l.ultimaSessao.isValid() ? l.ultimaSessao.toMSecsSinceEpoch() : qint64(-1);
    case kUltimaPpm: return opcional(l.ultimaPpm);
    case kMelhorPpm: return opcional(l.melhorPpm);
    case kPrecisao: return opcional(l.precisaoRecente);
    case kAprovados: return l.aprovados;
    case kReprovados: return l.reprovados;
    default: return {};
    }
}

QByteArray Planilha(const QList<Linha> &linhas)
{
    QByteArray csv("\xEF\xBB\xBF");
    const auto linha = [&csv](const auto &celula) {
        for (int c = 0; c < kColunas; ++c) {
            if (c > 0)
                csv += ';';
            csv += Campo(celula(c));
        }
        csv += "\r\n";
    };
    linha([](int c) { return Titulo(c); });
    for (const Linha &l : linhas)
        linha([&l](int c) { return Celula(l, c, true); });
    return csv;
}

} // namespace RelatorioTurma
