#include "teclado/ModeloTeclado.h"

namespace {

using Dedo = ModeloTeclado::Dedo;
using Tecla = ModeloTeclado::Tecla;

// A key that types a character, and another with Shift.
Tecla Car(QChar normal, QChar comShift, Dedo dedo, double largura = 1)
{
    Tecla t;
    t.nome = QString(normal);
    t.rotulo = comShift.isLetter() && comShift == normal.toUpper() ? QString(comShift) : QString(normal);
    if (!(comShift.isLetter() && comShift == normal.toUpper()))
        t.rotulo = QString(comShift) + QLatin1Char('\n') + QString(normal);
    t.normal = normal, t.comShift = comShift, t.dedo = dedo, t.largura = largura;
    return t;
}

Tecla Letra(char16_t c, Dedo dedo)
{
    return Car(QChar(c), QChar(c).toUpper(), dedo);
}

// A dead key: its accent alone, and another with Shift.
Tecla Morta(QChar acento, QChar acentoShift, Dedo dedo)
{
    Tecla t = Car(acento, acentoShift, dedo);
    t.morta = true;
    t.normal = acento, t.mortaShift = acentoShift, t.comShift = QChar();
    return t;
}

// A key that types a character alone and, with Shift, an accent that waits for the next key.
Tecla ComAcento(QChar normal, QChar acento, Dedo dedo)
{
    Tecla t = Car(normal, acento, dedo);
    t.comShift = QChar();
    t.mortaShift = acento;
    return t;
}

Tecla Funcao(const QString &nome, const QString &rotulo, Dedo dedo, double largura, double altura = 1)
{
    Tecla t;
    t.nome = nome, t.rotulo = rotulo, t.dedo = dedo, t.largura = largura, t.altura = altura;
    return t;
}

// The base letter and the dead key's accent of an accented letter ("é": 'e' and '´').
struct Composicao {
    QChar letra;
    QChar acento;
};

Composicao Decompor(QChar c)
{
    const QString d = QString(c).normalized(QString::NormalizationForm_D);
    if (d.size() != 2)
        return {};
    switch (d[1].unicode()) {
    case 0x0301: return {d[0], u'´'};
    case 0x0300: return {d[0], u'`'};
    case 0x0302: return {d[0], u'^'};
    case 0x0303: return {d[0], u'~'};
    case 0x0308: return {d[0], u'¨'};
    default: return {};
    }
}

} // namespace

ModeloTeclado::ModeloTeclado(const QString &layout)
    : layout_(layout == kUsIntl ? kUsIntl : kAbnt2)
{
    using D = Dedo;
    const bool br = layout_ == kAbnt2;
    // Digits row.
    Linha(0, 0,
          {br ? Car(u'\'', u'"', D::MinimoEsq) : Morta(u'`', u'~', D::MinimoEsq), Car(u'1', u'!', D::MinimoEsq),
           Car(u'2', u'@', D::AnelarEsq), Car(u'3', u'#', D::MedioEsq), Car(u'4', u'$', D::IndicadorEsq),
           Car(u'5', u'%', D::IndicadorEsq), ComAcento(u'6', br ? u'¨' : u'^', D::IndicadorDir),
           Car(u'7', u'&', D::IndicadorDir), Car(u'8', u'*', D::MedioDir), Car(u'9', u'(', D::AnelarDir),
           Car(u'0', u')', D::MinimoDir), Car(u'-', u'_', D::MinimoDir), Car(u'=', u'+', D::MinimoDir),
           Funcao(QStringLiteral("Backspace"), QStringLiteral("⟵"), D::MinimoDir, 2)});
    // Top letter row; the ISO Enter spans it and the next.
    QList<Tecla> topo{Funcao(QStringLiteral("Tab"), QStringLiteral("Tab"), D::MinimoEsq, 1.5),
                      Letra(u'q', D::MinimoEsq),
                      Letra(u'w', D::AnelarEsq),
                      Letra(u'e', D::MedioEsq),
                      Letra(u'r', D::IndicadorEsq),
                      Letra(u't', D::IndicadorEsq),
                      Letra(u'y', D::IndicadorDir),
                      Letra(u'u', D::IndicadorDir),
                      Letra(u'i', D::MedioDir),
                      Letra(u'o', D::AnelarDir),
                      Letra(u'p', D::MinimoDir)};
    if (br)
        topo << Morta(u'´', u'`', D::MinimoDir) << Car(u'[', u'{', D::MinimoDir)
             << Funcao(QStringLiteral("Enter"), QStringLiteral("Enter"), D::MinimoDir, 1.5, 2);
    else
        topo << Car(u'[', u'{', D::MinimoDir) << Car(u']', u'}', D::MinimoDir)
             << Car(u'\\', u'|', D::MinimoDir, 1.5);
    Linha(1, 0, topo);
    QList<Tecla> meio{Funcao(QStringLiteral("Caps"), QStringLiteral("Caps"), D::MinimoEsq, 1.75),
                      Letra(u'a', D::MinimoEsq),
                      Letra(u's', D::AnelarEsq),
                      Letra(u'd', D::MedioEsq),
                      Letra(u'f', D::IndicadorEsq),
                      Letra(u'g', D::IndicadorEsq),
                      Letra(u'h', D::IndicadorDir),
                      Letra(u'j', D::IndicadorDir),
                      Letra(u'k', D::MedioDir),
                      Letra(u'l', D::AnelarDir)};
    if (br)
        meio << Car(u'ç', u'Ç', D::MinimoDir) << Morta(u'~', u'^', D::MinimoDir) << Car(u']', u'}', D::MinimoDir);
    else
        meio << Car(u';', u':', D::MinimoDir) << Morta(u'\'', u'"', D::MinimoDir)
             << Funcao(QStringLiteral("Enter"), QStringLiteral("Enter"), D::MinimoDir, 2.25);
    Linha(2, 0, meio);
    QList<Tecla> baixo{
        Funcao(QStringLiteral("ShiftEsq"), QStringLiteral("Shift"), D::MinimoEsq, br ? 1.25 : 2.25)};
    if (br)
        baixo << Car(u'\\', u'|', D::MinimoEsq);
    baixo << Letra(u'z', D::MinimoEsq) << Letra(u'x', D::AnelarEsq) << Letra(u'c', D::MedioEsq)
          << Letra(u'v', D::IndicadorEsq) << Letra(u'b', D::IndicadorEsq) << Letra(u'n', D::IndicadorDir)
          << Letra(u'm', D::IndicadorDir) << Car(u',', u'<', D::MedioDir) << Car(u'.', u'>', D::AnelarDir);
    if (br)
        baixo << Car(u';', u':', D::MinimoDir) << Car(u'/', u'?', D::MinimoDir);
    else
        baixo << Car(u'/', u'?', D::MinimoDir);
    baixo << Funcao(QStringLiteral("ShiftDir"), QStringLiteral("Shift"), D::MinimoDir, br ? 1.75 : 2.75);
    Linha(3, 0, baixo);
    Tecla espaco = Funcao(QStringLiteral("Espaco"), QString(), D::Polegar, 6.25);
    espaco.normal = u' ';
    Linha(4, 3.75,
          {Funcao(QStringLiteral("Alt"), QStringLiteral("Alt"), D::Polegar, 1.25), espaco,
           Funcao(QStringLiteral("AltGr"), QStringLiteral("AltGr"), D::Polegar, 1.25)});
}

void ModeloTeclado::Linha(int linha, double x, const QList<Tecla> &teclas)
{
    for (Tecla t : teclas) {
        t.linha = linha;
        t.x = x;
        x += t.largura;
        teclas_.append(t);
    }
}

int ModeloTeclado::Indice(const QString &nome) const
{
    for (int i = 0; i < teclas_.size(); ++i)
        if (teclas_[i].nome == nome)
            return i;
    return -1;
}

int ModeloTeclado::TeclaDe(QChar c) const
{
    const QList<Passo> s = Sequencia(c);
    return s.isEmpty() ? -1 : s.last().tecla;
}

QList<ModeloTeclado::Passo> ModeloTeclado::Sequencia(QChar c) const
{
    auto it = sequencias_.constFind(c);
    if (it == sequencias_.cend())
        it = sequencias_.insert(c, Calcular(c));
    return *it;
}

QList<ModeloTeclado::Passo> ModeloTeclado::Calcular(QChar c) const
{
    const int shiftEsq = Indice(QStringLiteral("ShiftEsq")), shiftDir = Indice(QStringLiteral("ShiftDir"));
    // Shift is held by the other hand than the one that types the key.
    const auto comShift = [&](int i) {
        return Passo{i, MaoDe(teclas_[i].dedo) == Mao::Esquerda ? shiftDir : shiftEsq};
    };
    if (c == u'\n' || c == u'\r')
        return {Passo{Indice(QStringLiteral("Enter"))}};
    for (int i = 0; i < teclas_.size(); ++i) {
        const Tecla &t = teclas_[i];
        if (!t.morta && t.normal == c)
            return {Passo{i}};
        if (!t.comShift.isNull() && t.comShift == c)
            return {comShift(i)};
    }
    // A dead key's accent on its own: the dead key, then the space bar.
    const int espaco = Indice(QStringLiteral("Espaco"));
    for (int i = 0; i < teclas_.size(); ++i) {
        const Tecla &t = teclas_[i];
        if (t.morta && t.normal == c)
            return {Passo{i}, Passo{espaco}};
        if (t.mortaShift == c)
            return {comShift(i), Passo{espaco}};
    }
    // An accented letter: the accent's dead key, then the letter (with Shift for a capital).
    Composicao comp = Decompor(c);
    // US-International types the acute with its apostrophe key; ABNT2's cedilla has its own key.
    if (layout_ == kUsIntl && comp.acento == u'´')
        comp.acento = u'\'';
    if (layout_ == kUsIntl && (c == u'ç' || c == u'Ç'))
        comp = {c == u'ç' ? QChar(u'c') : QChar(u'C'), QChar(u'\'')};
    if (comp.letra.isNull())
        return {};
    QList<Passo> passos;
    for (int i = 0; i < teclas_.size() && passos.isEmpty(); ++i) {
        const Tecla &t = teclas_[i];
        if (t.morta && t.normal == comp.acento)
            passos << Passo{i};
        else if (t.mortaShift == comp.acento)
            passos << comShift(i);
    }
    const QList<Passo> letra = Sequencia(comp.letra);
    if (passos.isEmpty() || letra.size() != 1)
        return {};
    return passos + letra;
}
