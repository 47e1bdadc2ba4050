// A register of 9,999 students, then:
//   (a) the registry editor opened until its grid is filled and the window painted;
//   (b) a login by code: the login dialog checking code 9999 when Enter takes the focus from the
//       code box to the password box (one record read), and, for reference, the bare lookup.
// Prints the median (and the extremes) of several runs in milliseconds. Run with
// QT_QPA_PLATFORM=offscreen.

#include "access/Alunos.h"
#include "access/ArquivoAlunos.h"
#include "access/ArquivoDatilux.h"
#include "access/TestaSenha.h"
#include "common/Digita.h"
#include "controls/BoxList/BoxList.h"
#include "exercises/Biblioteca.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kAlunos = 9999;

const char *const kNomes[] = {"ANA PAULA SOUZA", "BRUNO LIMA",  "CARLA DIAS",   "DANIEL ROCHA",
                              "EDUARDA MELO",    "FÁBIO NUNES", "GISELE PRADO", "HEITOR CAMPOS"};

double Ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

bool EscreverRegistro(const QString &caminho)
{
    QByteArray arquivo;
    arquivo.reserve(kAlunos * Aluno::kTamanho);
    for (int codigo = 1; codigo <= kAlunos; ++codigo) {
        Aluno a;
        a.Codigo = QStringLiteral("%1").arg(codigo, 4, 10, QLatin1Char('0'));
        a.Nome = QStringLiteral("%1 %2").arg(QString::fromUtf8(kNomes[codigo % 8])).arg(codigo);
        a.Senha = QStringLiteral("s%1").arg(codigo);
        a.Classe = qint16(codigo % 6 + 1);
        a.Exercicio = qint16(codigo % 14 + 1);
        QByteArray bytes;
        QString motivo;
        if (!ArquivoAlunos::Codificar(a, bytes, motivo))
            return false;
        arquivo += bytes;
    }
    QFile f(caminho);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(arquivo) == arquivo.size();
}

struct Medida {
    double mediana = 0, minimo = 0, maximo = 0;
    int vezes = 0;
};

Medida Medir(int vezes, const std::function<double()> &rodada)
{
    std::vector<double> tempos;
    for (int i = 0; i < vezes; ++i)
        tempos.push_back(rodada());
    std::sort(tempos.begin(), tempos.end());
    return {tempos[tempos.size() / 2], tempos.front(), tempos.back(), vezes};
}

void Imprimir(const char *nome, const Medida &m)
{
    std::printf("%s mediana %9.3f ms   mínimo %9.3f ms   máximo %9.3f ms   (%d vezes)\n",
                QString::fromUtf8(nome).leftJustified(44).toUtf8().constData(), m.mediana, m.minimo, m.maximo,
                m.vezes);
}

// Until the window is on screen and the events its showing queued (the first entry) have run.
void Assentar(QWidget &janela)
{
    while (!janela.windowHandle() || !janela.windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir pasta;
    Digita digita(pasta.path());
    QString erro;
    if (!EscreverRegistro(digita.Caminho(ArquivoAlunos::kNomeArquivo))
        || !ArquivoDatilux::GravarConfig(digita, ArquivoDatilux::kChaveMostrarSenha, QStringLiteral("1"), erro)) {
        std::fprintf(stderr, "não foi possível preparar os arquivos %s\n", qPrintable(erro));
        return 1;
    }
    std::printf("Cadastro com %d alunos (%d bytes)\n", kAlunos, kAlunos * Aluno::kTamanho);

    int linhas = 0;
    const Medida abrir = Medir(9, [&] {
        QElapsedTimer t;
        t.start();
        Alunos janela(digita, Biblioteca::ExerciciosPorClasse());
        janela.show();
        Assentar(janela);
        janela.repaint(); // the whole window, grid included, painted now
        const double ms = Ms(t);
        linhas = janela.findChild<BoxList *>(QStringLiteral("GrdLst"))->ListCount();
        janela.close();
        return ms;
    });
    Imprimir("(a) cadastro aberto, grade cheia e pintada", abrir);
    std::printf("    linhas na grade: %d\n", linhas);

    TestaSenha login(digita);
    login.show();
    Assentar(login);
    if (!QTest::qWaitForWindowActive(&login)) {
        std::fprintf(stderr, "a janela de entrada não ficou ativa\n");
        return 1;
    }
    auto *codigo = login.findChild<QLineEdit *>(QStringLiteral("TxtCodigo"));
    auto *nome = login.findChild<QLabel *>(QStringLiteral("LblNome"));
    const Medida entrar = Medir(51, [&] {
        codigo->setFocus(Qt::OtherFocusReason);
        codigo->setText(QStringLiteral("9999"));
        nome->clear();
        QElapsedTimer t;
        t.start();
        QTest::keyClick(codigo, Qt::Key_Return);
        const double ms = Ms(t);
        if (!nome->text().endsWith(QLatin1String("9999")))
            std::fprintf(stderr, "o código 9999 não foi identificado\n");
        return ms;
    });
    Imprimir("(b) entrada: Enter no código 9999", entrar);

    ArquivoAlunos arquivo;
    arquivo.Abrir(digita.Caminho(ArquivoAlunos::kNomeArquivo), erro);
    const Medida identificar = Medir(1001, [&] {
        Aluno a;
        QElapsedTimer t;
        t.start();
        arquivo.Identificar(9999, a, erro);
        return Ms(t);
    });
    Imprimir("    ArquivoAlunos::Identificar(9999)", identificar);
    login.close();
    return 0;
}
