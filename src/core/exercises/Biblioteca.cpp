#include "exercises/Biblioteca.h"

#include <QFile>

#include <array>
#include <mutex>

namespace Biblioteca {
namespace {

const QString kFimDeLinha = QStringLiteral("\r\n");

// "=== N" or "=== N HH:MM:SS", where N must be the next entry number. Anything else that starts
// with "===" is damage, not text: no exercise line may begin that way.
bool LerCabecalho(QStringView linha, int esperado, QString *tempo)
{
    if (!linha.startsWith(u"=== "))
        return false;
    const QStringView resto = linha.sliced(4);
    const qsizetype espaco = resto.indexOf(u' ');
    const QStringView numero = espaco < 0 ? resto : resto.first(espaco);
    if (numero.isEmpty() || numero.size() > 4)
        return false;
    int n = 0;
    for (QChar c : numero) {
        if (c < u'0' || c > u'9')
            return false;
        n = n * 10 + (c.unicode() - u'0');
    }
    if (n != esperado)
        return false;
    tempo->clear();
    if (espaco < 0)
        return true;
    const QStringView limite = resto.sliced(espaco + 1);
    if (limite.size() != 8)
        return false;
    for (qsizetype i = 0; i < limite.size(); ++i) {
        const QChar c = limite[i];
        const bool certo = (i == 2 || i == 5) ? c == u':' : (c >= u'0' && c <= u'9');
        if (!certo)
            return false;
    }
    *tempo = limite.toString();
    return true;
}

// Closes the entry being read: blank lines before the next header only separate entries.
bool FecharEntrada(QList<QStringView> &linhas, const QString &tempo, QList<Entrada> &entradas)
{
    while (!linhas.isEmpty() && linhas.last().isEmpty())
        linhas.removeLast();
    if (linhas.isEmpty())
        return false;
    QString texto;
    qsizetype tamanho = 0;
    for (QStringView l : linhas)
        tamanho += l.size() + 2;
    texto.reserve(tamanho);
    for (QStringView l : linhas) {
        texto += l;
        texto += kFimDeLinha;
    }
    entradas.append({texto, tempo});
    linhas.clear();
    return true;
}

QList<Entrada> LerClasse(int classe)
{
    QFile arquivo(QStringLiteral(":/curso/classe%1.txt").arg(classe));
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    return Interpretar(QString::fromUtf8(arquivo.readAll()));
}

// Each class is read on its first use only: start-up loads one exercise, not the whole course.
const QList<Entrada> &Classe(int classe)
{
    static std::array<QList<Entrada>, kClasses> classes;
    static std::array<std::once_flag, kClasses> lidas;
    std::call_once(lidas[classe - 1], [classe] { classes[classe - 1] = LerClasse(classe); });
    return classes[classe - 1];
}

bool ClasseValida(int classe)
{
    return classe >= 1 && classe <= kClasses;
}

} // namespace

QList<Entrada> Interpretar(QStringView fonte)
{
    if (fonte.startsWith(QChar(0xFEFF)))
        fonte = fonte.mid(1);

    QList<Entrada> entradas;
    QList<QStringView> linhas;
    QString tempo;
    bool dentro = false;
    for (QStringView linha : fonte.split(u'\n')) {
        if (linha.endsWith(u'\r'))
            linha.chop(1);
        if (linha.startsWith(u"===")) {
            if (dentro && !FecharEntrada(linhas, tempo, entradas))
                return entradas;
            if (!LerCabecalho(linha, int(entradas.size()) + 1, &tempo))
                return entradas;
            dentro = true;
        } else if (dentro) {
            linhas.append(linha);
        } else if (!linha.isEmpty() && !linha.startsWith(u'#')) {
            return entradas;
        }
    }
    if (dentro)
        FecharEntrada(linhas, tempo, entradas);
    return entradas;
}

int QuantidadeEntradas(int classe)
{
    return ClasseValida(classe) ? int(Classe(classe).size()) : 0;
}

int QuantidadeExercicios(int classe)
{
    // The last entry is the end-of-class notice, never offered as an exercise.
    return qMax(0, QuantidadeEntradas(classe) - 1);
}

QList<int> ExerciciosPorClasse()
{
    QList<int> quantidades;
    for (int classe = 1; classe <= kClasses; ++classe)
        quantidades.append(QuantidadeExercicios(classe));
    return quantidades;
}

std::optional<QString> Texto(int classe, int indice)
{
    if (!ClasseValida(classe))
        return std::nullopt;
    const QList<Entrada> &entradas = Classe(classe);
    if (indice < 0 || indice >= entradas.size())
        return std::nullopt;
    return entradas[indice].texto;
}

std::optional<QString> TempoClasse6(int indice)
{
    const QList<Entrada> &entradas = Classe(6);
    if (indice < 0 || indice >= entradas.size())
        return std::nullopt;
    return entradas[indice].tempo;
}

} // namespace Biblioteca
