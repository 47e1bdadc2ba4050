#include "exercises/Biblioteca.h"
#include "support/Tabela.h"
#include "teclado/TecladoNaTela.h"

#include <QSet>
#include <QTest>

namespace {

using Dedo = ModeloTeclado::Dedo;

// Every character the course asks a student to type.
QSet<QChar> CaracteresDoCurso()
{
    QSet<QChar> todos;
    for (int classe = 1; classe <= Biblioteca::kClasses; ++classe)
        for (int i = 0; i < Biblioteca::QuantidadeEntradas(classe); ++i)
            for (QChar c : Biblioteca::Texto(classe, i).value_or(QString()))
                if (c != u'\r')
                    todos.insert(c);
    return todos;
}

// A step as text: the key's name, its finger, and the Shift held ("Esq"/"Dir"), e.g. "a:0",
// "A:0+ShiftDir".
QString Passos(const ModeloTeclado &m, QChar c)
{
    QStringList l;
    for (const ModeloTeclado::Passo &p : m.Sequencia(c))
        l << m.Teclas()[p.tecla].nome + u':' + QString::number(int(m.Teclas()[p.tecla].dedo))
                 + (p.shift >= 0 ? u'+' + m.Teclas()[p.shift].nome : QString());
    return l.join(u' ');
}

} // namespace

class TestTeclado : public QObject {
    Q_OBJECT

private slots:
    // Each character of the whole course has a way on each layout; the key typed last gives back
    // the character (alone, with Shift, or after its dead key), and Shift is on the other hand.
    void todoOCurso_data()
    {
        Colunas<QString>("layout");
        QTest::newRow("abnt2") << ModeloTeclado::kAbnt2;
        QTest::newRow("us-intl") << ModeloTeclado::kUsIntl;
    }
    void todoOCurso()
    {
        QFETCH(QString, layout);
        const ModeloTeclado m(layout);
        const QSet<QChar> curso = CaracteresDoCurso();
        QVERIFY(curso.size() > 90);
        for (QChar c : curso) {
            const QList<ModeloTeclado::Passo> passos = m.Sequencia(c);
            QVERIFY2(!passos.isEmpty() && passos.size() <= 2, qPrintable(QString(c)));
            for (const ModeloTeclado::Passo &p : passos) {
                const ModeloTeclado::Tecla &t = m.Teclas()[p.tecla];
                if (p.shift >= 0)
                    QVERIFY2(ModeloTeclado::MaoDe(m.Teclas()[p.shift].dedo) != ModeloTeclado::MaoDe(t.dedo),
                             qPrintable(QString(c)));
            }
            // One step types the character itself; two are a dead key and then the space bar (the
            // accent alone) or the letter under the accent.
            const auto da = [&m](const ModeloTeclado::Passo &p) {
                const ModeloTeclado::Tecla &t = m.Teclas()[p.tecla];
                return p.shift >= 0 ? (t.mortaShift.isNull() ? t.comShift : t.mortaShift) : t.normal;
            };
            if (c == u'\n')
                QCOMPARE(m.Teclas()[passos[0].tecla].nome, QStringLiteral("Enter"));
            else if (passos.size() == 1)
                QCOMPARE(da(passos[0]), c);
            else if (m.Teclas()[passos[1].tecla].nome == QStringLiteral("Espaco"))
                QCOMPARE(da(passos[0]), c);
            else
                QCOMPARE(da(passos[1]), QString(c).normalized(QString::NormalizationForm_D).at(0));
        }
    }

    // The keys, fingers and Shift sides of letters a child meets first, and the accented letters'
    // two steps: the accent's dead key, then the letter.
    void sequencias_data()
    {
        Colunas<QString, QChar, QString>("layout", "c", "passos");
        const QString br = ModeloTeclado::kAbnt2, us = ModeloTeclado::kUsIntl;
        const auto linha = [](const char *nome, const QString &l, char16_t c, const char *p) {
            QTest::newRow(nome) << l << QChar(c) << QString::fromUtf8(p);
        };
        linha("a mínimo esquerdo", br, u'a', "a:0");
        linha("j indicador direito", br, u'j', "j:5");
        linha("F com Shift direito", br, u'F', "f:3+ShiftDir");
        linha("J com Shift esquerdo", br, u'J', "j:5+ShiftEsq");
        linha("ç tecla própria", br, u'ç', "ç:8");
        linha("espaço polegar", br, u' ', "Espaco:4");
        linha("fim de linha", br, u'\n', "Enter:8");
        linha("é acento agudo", br, u'é', "´:8 e:2");
        linha("É agudo e Shift", br, u'É', "´:8 e:2+ShiftDir");
        linha("ã til", br, u'ã', "~:8 a:0");
        linha("â circunflexo com Shift", br, u'â', "~:8+ShiftEsq a:0");
        linha("aspas com Shift", br, u'"', "':0+ShiftDir");
        linha("us: é apóstrofo morto", us, u'é', "':8 e:2");
        linha("us: ç apóstrofo e c", us, u'ç', "':8 c:2");
        linha("us: apóstrofo e espaço", us, u'\'', "':8 Espaco:4");
        linha("us: ô circunflexo", us, u'ô', "6:5+ShiftEsq o:7");
    }
    void sequencias()
    {
        BUSCAR(QString, layout, QChar, c);
        QTEST(Passos(ModeloTeclado(layout), c), "passos");
    }

    // The drawn keyboard: the next character's keys stand out (1 and 2 for a dead key and its
    // letter, 0 for the Shift to hold); a wrong key flashes, then stops.
    void destaques()
    {
        TecladoNaTela t;
        t.resize(600, TecladoNaTela::AlturaPara(600));
        const ModeloTeclado &m = t.Modelo();
        t.MostrarProximo(u'É');
        QCOMPARE(t.Destacadas(), (QHash<int, int>{{m.Indice(QStringLiteral("´")), 1},
                                                  {m.Indice(QStringLiteral("e")), 2},
                                                  {m.Indice(QStringLiteral("ShiftDir")), 0}}));
        t.MostrarProximo(u'k');
        QCOMPARE(t.Destacadas(), (QHash<int, int>{{m.Indice(QStringLiteral("k")), 1}}));
        t.MostrarProximo(QChar());
        QVERIFY(t.Destacadas().isEmpty());
        t.PiscarErro(u'?');
        QCOMPARE(t.Piscando(), m.Indice(QStringLiteral("/")));
        QTRY_COMPARE(t.Piscando(), -1);
    }
};

QTEST_MAIN(TestTeclado)
#include "TestTeclado.moc"
