#include "Programa.h"

#include "access/ArquivoDatilux.h"
#include "access/InfoSenha.h"
#include "app/AlteraSenha.h"
#include "app/LinhaTexto.h"
#include "app/MeuDesempenho.h"
#include "app/PainelResultado.h"
#include "common/Formatos.h"
#include "config/ArquivoConfig.h"
#include "config/Configura.h"
#include "config/MarcaErros.h"
#include "controls/FlatButton/FlatButton.h"
#include "exercises/Biblioteca.h"
#include "exercises/Carrega.h"
#include "exercises/Progressao.h"
#include "resultados/GravadorResultados.h"
#include "resultados/ModuloResultados.h"
#include "resultados/sql/ArmazemSql.h"
#include "support/Tabela.h"
#include "teclado/TecladoNaTela.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

namespace {

const QString kRecusaProximo =
    QStringLiteral("Mudança de exercício permitida somente\rapós conclusão do exercício atual!");

QString Registro(const Ambiente &amb, int codigo)
{
    return QString::fromLatin1(amb.Ler(QStringLiteral("Alunos.arq")).mid((codigo - 1) * 62, 62).toHex());
}

Aluno LerAluno(const Ambiente &amb, int codigo)
{
    return ArquivoAlunos::Decodificar(amb.Ler(QStringLiteral("Alunos.arq")).mid((codigo - 1) * 62, 62));
}

} // namespace

class TestFrmTecloria : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ModuloResultados::caminhoModulo = QStringLiteral(DATILUX_MODULO_RESULTADOS); }

    // A login cancelled, at the start or at a change of student, closes the program.
    void loginCanceladoEncerra()
    {
        Programa p;
        AoAbrirModal<TestaSenha>([](TestaSenha *login) {
            QTest::mouseClick(login->findChild<FlatButton *>(QStringLiteral("BtnCancelar")), Qt::LeftButton);
        });
        p.janela = std::make_unique<FrmTecloria>(p.amb.digita, p.plataforma);
        QSignalSpy encerrado(p.janela.get(), &FrmTecloria::Encerrado);
        p.janela->show();
        QTRY_COMPARE(encerrado.count(), 1);
        QVERIFY(!p.janela->isVisible());

        Programa q;
        QVERIFY(q.EntrarAluno());
        QSignalSpy mudou(q.janela.get(), &FrmTecloria::Encerrado);
        AoAbrirModal<TestaSenha>([](TestaSenha *login) { login->close(); });
        q.Menu("MenuMudaSenha")->trigger();
        QTRY_COMPARE(mudou.count(), 1);
    }

    // A student types a whole class 1 exercise: one Enter at each line end, the last one finishing.
    void exercicioInteiro()
    {
        Programa p;
        QVERIFY(p.EntrarAluno());
        QCOMPARE(p.Texto("LblAluno") + p.Texto("LblClasse") + p.Texto("LblExercicio"),
                 QStringLiteral(" ANA 01 001"));
        QCOMPARE(p.Passagem()->Texto(), *Biblioteca::Texto(1, 0));
        QVERIFY(!p.Caixa()->isEnabled());

        p.Comecar();
        QVERIFY(p.janela->EmDigitacao());
        QTRY_VERIFY(p.Caixa()->hasFocus());
        QVERIFY(!p.janela->findChild<FlatButton *>(QStringLiteral("BtnComecar"))->Enabled());
        const QStringList linhas = p.Linhas();
        Teclar(linhas.join(u'\n') + u'\n');
        QVERIFY(!p.janela->EmDigitacao());
        QVERIFY(p.janela->ExercicioConcluido());
        QVERIFY(!p.Caixa()->isEnabled());
        QCOMPARE(p.Texto("LblErros"), QString());
        // 590 characters and 9 counted Enters; the last Enter is not counted.
        QCOMPARE(p.Texto("LblToques"), QStringLiteral(" 599"));
        QCOMPARE(p.mensagens.Textos(), QStringList());
        QCOMPARE(p.Texto("LblTempoTotal"), QStringLiteral("00:00:00"));
        // The passage is coloured up to its last character.
        QCOMPARE(p.Passagem()->CorEm(58), RGB(0, 0, 255));
        QCOMPARE(p.Passagem()->CorEm(9 * 60 + 58), RGB(0, 0, 255));

        // Moving on writes the record first, then loads the next exercise.
        p.Atalho(Qt::Key_P);
        QCOMPARE(p.Texto("LblExercicio"), QStringLiteral(" 002"));
        QCOMPARE(LerAluno(p.amb, 1).Exercicio, qint16(2));
        QCOMPARE(p.Passagem()->Texto(), *Biblioteca::Texto(1, 1));
    }

    // On a passage longer than its display, the line being typed stays in view: the passage turns a
    // page when the student reaches a line below the visible ones.
    void passagemAcompanhaADigitacao()
    {
        Programa p;
        QVERIFY(p.EntrarAluno(5, 17));
        p.Comecar();
        const QStringList linhas = p.Linhas();
        QVERIFY(linhas.size() >= 30);
        TextoPassagem *passagem = p.Passagem();
        for (int i = 0; i < 25; ++i) {
            Teclar(linhas[i] + u'\n' + linhas[i + 1].left(1));
            QVERIFY2(passagem->LinhaVisivel(i + 1), qPrintable(QString::number(i + 1)));
            QTest::keyClick(p.Caixa(), Qt::Key_Backspace);
        }
        QVERIFY(passagem->PrimeiraLinhaVisivel() > 10);
        QCOMPARE(p.janela->Motor().Erros, 0);
    }

    // Class 6: passed with no error within the limit; failed one second over it, or with one error.
    void veredito_data()
    {
        // motivo: the result panel's last line
        Colunas<int, bool, QString>("segundos", "comErro", "motivo");
        QTest::newRow("no limite") << 60 << false
                                   << "Aprovado: nenhum erro e tempo de 00:01:00 dentro do limite de 00:01:00.";
        QTest::newRow("um segundo a mais") << 61 << false
                                           << "Reprovado: o tempo de 00:01:01 passou do limite de 00:01:00 "
                                              "(a aprovação pede nenhum erro dentro do tempo).";
        QTest::newRow("rapido com um erro")
            << 30 << true << "Reprovado: houve 1 erro (a aprovação pede nenhum erro dentro do tempo).";
    }
    void veredito()
    {
        BUSCAR(int, segundos, bool, comErro, QString, motivo);
        const bool aprovado = motivo.startsWith(QStringLiteral("Aprovado"));
        Programa p;
        QVERIFY(p.EntrarAluno(6, 1));
        QList<ResultadoSessao> resultados;
        connect(&p.janela->Controle(), &ControleDigitacao::SessaoFinalizada, this,
                [&resultados](const ResultadoSessao &r) { resultados.append(r); });
        QCOMPARE(p.Texto("LblTempo"), QStringLiteral("00:01:00"));
        p.amb.relogio.Definir(QTime(23, 59, 40));
        p.Comecar();
        QCOMPARE(p.Texto("LblTempo"), QStringLiteral("00:01:00"));
        QStringList linhas = p.Linhas();
        const QString ultima = linhas.takeLast();
        // Accented letters arrive as input-method commits, as dead keys give them.
        Teclar(linhas.join(u'\n') + u'\n');
        if (comErro)
            Teclar(QStringLiteral("#")); // refused by lock mode, counted as an error
        Teclar(ultima);
        QCOMPARE(p.Texto("LblErros"), comErro ? QStringLiteral(" 1") : QString());
        p.amb.relogio.Avancar(segundos); // across midnight
        Teclar(QStringLiteral("\n"));
        QCOMPARE(p.mensagens.Textos(), QStringList{aprovado ? QStringLiteral("Parabéns, você foi aprovado!")
                                                            : QStringLiteral("Infelizmente você foi reprovado!")});
        QCOMPARE(p.janela->SegundosTotal(), segundos);
        QCOMPARE(resultados.size(), 1);
        QCOMPARE(resultados[0].veredito, aprovado ? QStringLiteral("aprovado") : QStringLiteral("reprovado"));
        QVERIFY(resultados[0].concluido);
        QCOMPARE(resultados[0].segundos, qint64(segundos));
        // The whole passage, each line end one character.
        QCOMPARE(resultados[0].caracteres, int(p.Passagem()->Texto().size() - p.Linhas().size()));
        QCOMPARE(p.janela->Painel().Texto().section(u'\n', -1), motivo);

        // With "Avançar somente após concluir o exercício" on, only a pass moves on.
        QString erro;
        QVERIFY(Progressao::GravarSomenteConcluido(p.amb.digita, true, erro));
        p.mensagens.Limpar();
        p.Menu("MenuProximo")->trigger();
        QCOMPARE(p.mensagens.Textos(), aprovado ? QStringList() : QStringList{Progressao::kAproveParaAvancar});
        QCOMPARE(LerAluno(p.amb, 1).Exercicio, qint16(aprovado ? 2 : 1));
    }

    // An Enter by mistake taken back with Backspace: the line goes on as if the Enter never came, and
    // the Enter at its end moves to the next line.
    void enterDesfeito_data()
    {
        Colunas<bool>("trava");
        QTest::newRow("normal") << false;
        QTest::newRow("trava") << true;
    }
    void enterDesfeito()
    {
        QFETCH(bool, trava);
        Programa p;
        QVERIFY(p.Configurar(trava) && p.EntrarAluno(6, 1));
        p.Comecar();
        const QString linha = p.Linhas().first();
        QVERIFY(linha.startsWith(QStringLiteral("Quem ")));
        Teclar(QStringLiteral("Quem\n\b") + linha.mid(4) + u'\n');
        QCOMPARE(p.Texto("LblErros"), QString());
        QCOMPARE(p.Caixa()->toPlainText(), linha + u'\n');
        QVERIFY(p.janela->EmDigitacao());
        QCOMPARE(p.mensagens.Textos(), QStringList());
    }

    // What the session tells whoever watches it: each key it checked, then at the finish the figures
    // the labels show, once.
    void sinaisDaSessao_data()
    {
        // roteiro: '\b' is Backspace
        // conferidas: per checked key: expected, typed, '+' right or '-' wrong
        // velocidade: live labels after 75 seconds
        Colunas<bool, QString, QString, int, QString, QString>("trava", "roteiro", "conferidas", "caracteres",
                                                               "velocidade", "precisao");
        QTest::newRow("erro apagado") << false << "asx\bd" << QStringLiteral("aa+ss+dx-dd+") << 3 << " 4"
                                      << QStringLiteral("75,0%");
        QTest::newRow("trava recusa") << true << "asxd" << QStringLiteral("aa+ss+dx-dd+") << 3 << " 2"
                                      << QStringLiteral("75,0%");
        QTest::newRow("enter no meio da linha")
            << false << "as\naz" << QStringLiteral("aa+ss+\n\n+aa+sz-") << 62 << " 4" << QStringLiteral("80,0%");
    }
    void sinaisDaSessao()
    {
        BUSCAR(bool, trava, QString, roteiro, QString, conferidas, int, caracteres, QString, velocidade, QString,
               precisao);
        Programa p;
        QVERIFY(p.Configurar(trava) && p.EntrarAluno());
        ControleDigitacao &c = p.janela->Controle();
        QSignalSpy iniciada(&c, &ControleDigitacao::SessaoIniciada);
        QString vistas;
        QMap<QChar, int> erradas;
        connect(&c, &ControleDigitacao::TeclaConferida, this, [&](QChar esperado, QChar digitado, bool certo) {
            vistas += QString(esperado) + digitado + (certo ? u'+' : u'-');
            if (!certo)
                ++erradas[esperado];
        });
        QList<ResultadoSessao> resultados;
        connect(&c, &ControleDigitacao::SessaoFinalizada, this,
                [&resultados](const ResultadoSessao &r) { resultados.append(r); });
        p.Comecar();
        Teclar(roteiro);
        QTRY_COMPARE(p.Texto("LblPrecisao"), precisao);
        QCOMPARE(p.Texto("LblVelocidade"), QString()); // no time yet
        p.amb.relogio.Avancar(75);
        QTRY_COMPARE(p.Texto("LblVelocidade"), velocidade); // at the clock's tick
        const ControleDigitacao::Figuras agora = c.FigurasAtuais();
        QSignalSpy gravado(&p.janela->Resultados(), &GravadorResultados::Gravado);
        p.Atalho(Qt::Key_F);
        p.Atalho(Qt::Key_F); // in the finished state: no second result
        QCOMPARE(iniciada.count(), 1);
        QCOMPARE(vistas, conferidas);
        QCOMPARE(resultados.size(), 1);
        const ResultadoSessao &r = resultados.first();
        // The figures as the labels show them and as the signals counted them.
        const QList<qint64> figuras{ValorInteiro(p.Texto("LblToques")), ValorInteiro(p.Texto("LblErros")),
                                    conferidas.count(u'+'), 75, caracteres};
        QCOMPARE(conferidas.count(u'-'), figuras[1]);
        QCOMPARE((QList<qint64>{r.toques, r.erros, r.acertos, r.segundos, r.caracteres}), figuras);
        QCOMPARE((QList<qint64>{agora.toques, agora.erros, agora.acertos, agora.segundos}), figuras.mid(0, 4));
        QCOMPARE(r.errosPorTecla, erradas);
        QCOMPARE(r.inicio.time(), QTime(8, 0, 0));
        QCOMPARE(r.inicio.secsTo(r.fim), 75);
        QVERIFY(!r.concluido && r.veredito.isEmpty() && !r.chave.isEmpty());
        QCOMPARE((QList<int>{r.codigo, r.classe, r.exercicio}), (QList<int>{1, 1, 1}));
        QCOMPARE(r.nome, QStringLiteral("ANA"));
        QTRY_COMPARE(gravado.count(), 1);
        QTRY_COMPARE(
            (QStringList{p.Texto("LblVelocidade"), p.Texto("LblPrecisao")}),
            (QStringList{FrmTecloria::TextoVelocidade(r.ppm()), FrmTecloria::TextoPrecisao(r.precisao())}));
    }

    // Wrong letters in the colour of the settings store while the option is on, until erased.
    void marcarErros_data()
    {
        // roteiro: '\b' is Backspace
        // cor: of the passage's third character afterwards
        Colunas<bool, QString, uint>("marcar", "roteiro", "cor");
        QTest::newRow("desligado") << false << "asx" << uint(RGB(0, 0, 255));
        QTest::newRow("ligado") << true << "asx" << uint(RGB(0, 128, 0));
        QTest::newRow("ligado, apagado") << true << "asx\b" << uint(RGB(0, 0, 0));
        QTest::newRow("ligado, corrigido") << true << "asx\bd" << uint(RGB(0, 0, 255));
    }
    void marcarErros()
    {
        BUSCAR(bool, marcar, QString, roteiro, uint, cor);
        Programa p;
        QVERIFY(p.Configurar(false));
        QString erro;
        QVERIFY(
            ArquivoDatilux::GravarConfig(p.amb.digita, MarcaErros::kChaveMarcar, QString::number(marcar), erro));
        QVERIFY(ArquivoDatilux::GravarConfig(p.amb.digita, MarcaErros::kChaveCor, QStringLiteral("32768"), erro));
        QVERIFY(p.EntrarAluno());
        p.Comecar();
        Teclar(roteiro);
        QCOMPARE(p.Passagem()->CorEm(2), Cor(cor));
        QCOMPARE(p.Passagem()->CorEm(1), RGB(0, 0, 255));
    }

    // The result after a finish: after the finish's own message, with the figures, the keys missed
    // and the best of the earlier sessions on the exercise; it takes no focus and no key, and goes
    // at the next start or load.
    void painelResultado()
    {
        Programa p;
        QVERIFY(p.Configurar(false) && p.EntrarAluno());
        QSignalSpy gravado(&p.janela->Resultados(), &GravadorResultados::Gravado);
        PainelResultado &painel = p.janela->Painel();
        bool visivelNaMensagem = true;
        p.mensagens.aoMostrar = [&](const Mensagem::Registro &) { visivelNaMensagem = painel.isVisible(); };
        p.Comecar();
        Teclar(QStringLiteral("asdx"));
        p.amb.relogio.Avancar(60);
        p.Atalho(Qt::Key_F);
        QCOMPARE(p.mensagens.Textos(), QStringList{QStringLiteral("Reprovado - Exercício incompleto!")});
        QVERIFY(!visivelNaMensagem);
        QVERIFY(painel.isVisible());
        QTRY_VERIFY(!painel.Texto().contains(QStringLiteral("consultando")));
        QCOMPARE(painel.Texto().split(u'\n').mid(1),
                 (QStringList{"Tempo: 00:01:00", "Velocidade: 4 toques/min", "Precisão: 75,0%", "Erros: 1",
                              "Teclas mais erradas: f (1)", "Seu melhor: primeira vez neste exercício",
                              "Exercício incompleto."}));
        QTRY_COMPARE(gravado.count(), 1);
        QTest::mouseClick(painel.findChild<FlatButton *>(QStringLiteral("BtnFecharResultado")), Qt::LeftButton);
        QTRY_VERIFY(!painel.isVisible());
        p.janela->FinalizarDigitacao(); // a finish in the finished state brings nothing back
        QVERIFY(!painel.isVisible());

        p.Comecar();
        QVERIFY(!painel.isVisible());
        Teclar(QStringLiteral("asdfg"));
        p.amb.relogio.Avancar(30);
        p.Atalho(Qt::Key_F);
        QTRY_VERIFY(painel.Texto().contains(QStringLiteral("Seu melhor: 4 toques/min")));
        QVERIFY(!painel.isAncestorOf(QApplication::focusWidget()));
        auto *proximo = p.janela->findChild<FlatButton *>(QStringLiteral("BtnProximo"));
        proximo->setFocus();
        QTest::keyClick(proximo, Qt::Key_Return);
        QCOMPARE(p.Texto("LblExercicio"), QStringLiteral(" 002"));
        QVERIFY(!painel.isVisible());
    }

    // A database that cannot be written, or a store whose module the installation lacks: the finish's
    // own message first, then the failure once, in a box of its own, saying why; the results wait in
    // this computer's spool.
    void resultadoSemBanco_data()
    {
        // modulo: the results module's file, empty for the build's
        Colunas<QString, QString>("modulo", "causa");
        QTest::newRow("banco ilegivel") << ""
                                        << "Resultados.db";
        QTest::newRow("modulo ausente") << "nao-existe/datilux-resultados.so" << ModuloResultados::kIndisponivel;
    }
    void resultadoSemBanco()
    {
        BUSCAR(QString, modulo, QString, causa);
        Programa p;
        if (modulo.isEmpty())
            QVERIFY(QDir().mkpath(p.amb.Caminho(ArmazemResultados::kNomeArquivo)));
        else
            ModuloResultados::caminhoModulo = p.amb.Caminho(modulo);
        const auto restaurar =
            qScopeGuard([] { ModuloResultados::caminhoModulo = QStringLiteral(DATILUX_MODULO_RESULTADOS); });
        QVERIFY(p.EntrarAluno());
        QSignalSpy guardado(&p.janela->Resultados(), &GravadorResultados::Guardado);
        for (int vez = 1; vez <= 2; ++vez) {
            p.Comecar();
            p.Atalho(Qt::Key_F);
            QTRY_COMPARE(guardado.count(), vez);
        }
        QTRY_COMPARE(p.mensagens.Textos().size(), 3);
        const QStringList textos = p.mensagens.Textos();
        QCOMPARE(textos[0], QStringLiteral("Reprovado - Exercício incompleto!"));
        QVERIFY2(textos.count(QStringLiteral("Reprovado - Exercício incompleto!")) == 2,
                 qPrintable(textos.join(u'|')));
        QCOMPARE(textos.filter(QStringLiteral("O resultado não pôde ser gravado")).size(), 1);
        QVERIFY2(textos.filter(QStringLiteral("O resultado não pôde ser gravado")).first().contains(causa),
                 qPrintable(textos.join(u'|')));
    }

    // "Meu desempenho": every session in the table, newest first, the chart from its module, the keys
    // most missed over all of them.
    void meuDesempenho()
    {
        Programa p;
        QVERIFY(p.Cadastrar(1, QStringLiteral("ANA"), QStringLiteral("a"), 1, 1));
        {
            ConfigBanco banco;
            banco.arquivo = p.amb.Caminho(ArmazemResultados::kNomeArquivo);
            ArmazemSql armazem(banco);
            QString erro;
            QVERIFY2(armazem.Abrir(erro), qPrintable(erro));
            for (int i = 0; i < 2; ++i) {
                ResultadoSessao r;
                r.chave = QString::number(i), r.codigo = 1, r.nome = QStringLiteral("ANA");
                r.classe = 6, r.exercicio = 2 + i, r.concluido = true, r.veredito = QStringLiteral("reprovado");
                r.inicio = QDateTime(QDate(2026, 1, 5 + i), QTime(8, 0)), r.fim = r.inicio.addSecs(60);
                r.segundos = 60, r.toques = i ? 300 : 120, r.acertos = 9, r.erros = 1;
                r.errosPorTecla = {{i ? u'j' : u'f', i ? 3 : 2}};
                QVERIFY2(armazem.Gravar(r, erro), qPrintable(erro));
            }
            // 9,998 older ones, an hour apart: the window holds ten thousand rows.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("carga"));
            db.setDatabaseName(banco.arquivo);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 9998) "
                "INSERT INTO sessao (chave, matricula, codigo, nome, classe, exercicio, inicio, fim, segundos, "
                "toques, "
                "erros, acertos, caracteres, concluido) SELECT 'k' || i, matricula, 1, 'ANA', 1, 1, NULL, "
                "strftime('%Y-%m-%dT%H:%M:%S', '2025-01-01 08:00:00', '-' || i || ' hours'), 60, 60, 0, 60, 60, 1 "
                "FROM n, aluno")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("carga"));
        MeuDesempenho::caminhoModulo =
            QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/datilux-graficos.so");
        QVERIFY(p.Entrar(QStringLiteral("1"), QStringLiteral("a")));
        AoAbrirModal<MeuDesempenho>([](MeuDesempenho *d) {
            QTRY_VERIFY(d->Carregado());
            auto *tabela = d->findChild<QTableView *>(QStringLiteral("TabSessoes"));
            QCOMPARE(tabela->model()->rowCount(), 10000);
            QStringList primeira;
            for (int c = 0; c < 7; ++c)
                primeira << tabela->model()->index(0, c).data().toString();
            QCOMPARE(primeira,
                     (QStringList{"06/01/2026 08:01", "6", "3", "00:01:00", "300", "90,0%", "Reprovado"}));
            QCOMPARE(tabela->model()->index(1, 4).data().toString(), QStringLiteral("120"));
            QCOMPARE(tabela->model()->index(9999, 0).data().toString(), QStringLiteral("11/11/2023 18:00"));
            QVERIFY(d->findChild<QWidget *>(QStringLiteral("GrfDesempenho")));
            QCOMPARE(d->findChild<QLabel *>(QStringLiteral("LblTeclas"))->text(),
                     QStringLiteral("Teclas mais erradas: j (3), f (2)"));
            d->reject();
        });
        p.Menu("MenuDesempenho")->trigger();
        MeuDesempenho::caminhoModulo.clear();
        QCOMPARE(p.mensagens.Textos(), QStringList());
    }

    // A student's own password: the current one, then the new one twice; written only when all agree.
    void alterarMinhaSenha_data()
    {
        // senha: in the record afterwards
        Colunas<QString, QString, QString>("roteiro", "mensagem", "senha");
        QTest::newRow("trocada") << "abc\nnova\nNOVA\n\n"
                                 << QStringLiteral("Senha alterada com sucesso!") << "NOVA";
        QTest::newRow("senha atual errada") << "abd\nnova\nnova\n\n"
                                            << QStringLiteral("Senha atual incorreta!") << "abc";
        QTest::newRow("confirmacao diferente") << "abc\nnova\nnovo\n\n"
                                               << QStringLiteral("Senha não confere!") << "abc";
    }
    void alterarMinhaSenha()
    {
        BUSCAR(QString, roteiro, QString, mensagem, QString, senha);
        Programa p;
        QVERIFY(p.Cadastrar(1, QStringLiteral("ANA"), QStringLiteral("abc"), 1, 1));
        QVERIFY(p.Entrar(QStringLiteral("1"), QStringLiteral("abc")));
        AoAbrirModal<AlteraSenha>([roteiro](AlteraSenha *d) {
            Teclar(roteiro);
            if (d->isVisible())
                d->reject();
        });
        p.Menu("MenuAlteraSenha")->trigger();
        QCOMPARE(p.mensagens.Textos(), QStringList{mensagem});
        QCOMPARE(TirarEspacos(LerAluno(p.amb, 1).Senha), senha);
    }

    // Keys the box refuses: a wrong key in lock mode (counted and signalled), Backspace and Left when
    // Backspace is not allowed, and pasted text (no key at all).
    void teclasRecusadas_data()
    {
        // roteiro: '\b' Backspace, '←' Left, '\x16' Ctrl+V, '⎀' Shift+Insert
        Colunas<bool, bool, QString, QString, int>("trava", "backspace", "roteiro", "caixa", "erros");
        QTest::newRow("trava") << true << true << "asx" << QStringLiteral("as") << 1;
        QTest::newRow("sem backspace") << false << false << "ax\b←" << QStringLiteral("ax") << 1;
        QTest::newRow("colar") << false << true << "\x16⎀" << QString() << 0;
    }
    void teclasRecusadas()
    {
        BUSCAR(bool, trava, bool, backspace, QString, roteiro, QString, caixa, int, erros);
        Programa p;
        QVERIFY(p.Configurar(trava, backspace) && p.EntrarAluno());
        p.Comecar();
        QApplication::clipboard()->setText(QStringLiteral("asdfg asdfg"));
        Teclar(roteiro);
        QCOMPARE(p.Caixa()->toPlainText(), caixa);
        QCOMPARE(p.Caixa()->Caret(), caixa.size());
        QCOMPARE(p.Texto("LblToques"), caixa.isEmpty() ? QString() : QStringLiteral(" 2"));
        QCOMPARE(p.plataforma.sons, erros);
        QCOMPARE(p.Texto("LblErros"), erros ? QStringLiteral(" 1") : QString());
        if (trava) { // a refused key flashes the label; the next tick restores its colour
            QCOMPARE(p.Rotulo("LblErros")->palette().color(QPalette::Window), QColor(255, 0, 0));
            QTRY_COMPARE(p.Rotulo("LblErros")->palette().color(QPalette::Window), QColor(128, 0, 0));
        }
    }

    // Alt with a letter is a command, not a character; AltGr (a group switch, or Ctrl+Alt on some X11
    // set-ups) types its character.
    void teclasComModificador_data()
    {
        Colunas<int, int, QString, bool>("tecla", "modificadores", "texto", "digitado");
        QTest::newRow("alt+shift+f") << int(Qt::Key_F) << int(Qt::AltModifier | Qt::ShiftModifier) << "F" << false;
        QTest::newRow("altgr+q como troca de grupo")
            << int(Qt::Key_Slash) << int(Qt::GroupSwitchModifier) << "/" << true;
        QTest::newRow("altgr+q como ctrl+alt")
            << int(Qt::Key_Q) << int(Qt::ControlModifier | Qt::AltModifier) << "/" << true;
    }
    void teclasComModificador()
    {
        BUSCAR(int, tecla, int, modificadores, QString, texto, bool, digitado);
        const QString caixa = digitado ? texto : QString();
        Programa p;
        QVERIFY(p.Configurar(false) && p.EntrarAluno());
        p.Comecar();
        QTRY_VERIFY(p.Caixa()->hasFocus());
        const auto mods = Qt::KeyboardModifiers(modificadores);
        QTest::sendKeyEvent(QTest::Press, p.Caixa(), Qt::Key(tecla), texto, mods);
        QTest::sendKeyEvent(QTest::Release, p.Caixa(), Qt::Key(tecla), texto, mods);
        QCOMPARE(p.Caixa()->toPlainText(), caixa);
        QCOMPARE(p.Texto("LblToques").isEmpty(), caixa.isEmpty());
        // A dead key's letter still comes in.
        Teclar(QStringLiteral("é"));
        QCOMPARE(p.Caixa()->toPlainText(), caixa + QStringLiteral("é"));
    }

    // A click on a character puts the caret at the edge of it nearest the click.
    void cliqueNaCaixa()
    {
        Programa p;
        QVERIFY(p.EntrarAluno());
        p.Comecar();
        Teclar(QStringLiteral("asdfg"));
        CaixaDigitacao *caixa = p.Caixa();
        // The caret's place in the viewport, as the box reports it to input methods.
        auto caret = [caixa] {
            return caixa->inputMethodQuery(Qt::ImCursorRectangle).toRect().translated(-caixa->viewport()->pos());
        };
        QTest::keyClick(caixa, Qt::Key_Left);
        QTest::keyClick(caixa, Qt::Key_Left);
        const QRect em3 = caret();
        QTest::keyClick(caixa, Qt::Key_Left);
        const QRect em2 = caret();
        QTest::keyClick(caixa, Qt::Key_End);
        // Just right of the middle of the third character: nearer to its right edge.
        const int x = (em2.x() + em3.x()) / 2 + 2;
        QVERIFY(x < em3.x());
        QTest::mouseClick(caixa->viewport(), Qt::LeftButton, {}, QPoint(x, em2.center().y()));
        QCOMPARE(caixa->Caret(), 3);
    }

    void proximoExercicio()
    {
        Programa p;
        QVERIFY(p.EntrarAluno(2, 59));
        const QString antes = Registro(p.amb, 1);
        p.Menu("MenuProximo")->trigger();
        QCOMPARE(p.mensagens.Textos(), QStringList{kRecusaProximo});
        QCOMPARE(Registro(p.amb, 1), antes);

        // Any finish unlocks the next exercise, complete or not, unless the teacher's option asks
        // for a complete one: then nothing is written.
        p.mensagens.Limpar();
        p.Comecar();
        p.Atalho(Qt::Key_F);
        QCOMPARE(p.mensagens.Textos(), QStringList{QStringLiteral("Reprovado - Exercício incompleto!")});
        QString erro;
        QVERIFY(Progressao::GravarSomenteConcluido(p.amb.digita, true, erro));
        p.mensagens.Limpar();
        p.Menu("MenuProximo")->trigger();
        QCOMPARE(p.mensagens.Textos(), QStringList{Progressao::kConcluaParaAvancar});
        QCOMPARE(Registro(p.amb, 1), antes);
        QVERIFY(Progressao::GravarSomenteConcluido(p.amb.digita, false, erro));
        p.mensagens.Limpar();
        p.Menu("MenuProximo")->trigger();
        QCOMPARE(LerAluno(p.amb, 1).Exercicio, qint16(60));
        QCOMPARE(p.Texto("LblExercicio"), QStringLiteral(" 060"));
        QVERIFY(p.Passagem()->Texto().startsWith(QStringLiteral("Fim da Classe 02\r\n")));

        p.Comecar();
        p.Atalho(Qt::Key_F);
        p.mensagens.Limpar();
        p.Menu("MenuProximo")->trigger();
        QCOMPARE(p.mensagens.Textos(), QStringList{QStringLiteral("Exercício não existente!")});
        QCOMPARE(LerAluno(p.amb, 1).Exercicio, qint16(61));
        QCOMPARE(p.Texto("LblExercicio"), QStringLiteral(" 060"));
    }

    // Loading another exercise, by any path, while a session runs: the session ends and nothing of it
    // stays beside the new passage; a finish right after the load is one before any session.
    void carregarDuranteASessao_data()
    {
        Colunas<bool>("escolha");
        QTest::newRow("proximo exercicio") << false;
        QTest::newRow("escolha do exercicio") << true;
    }
    void carregarDuranteASessao()
    {
        QFETCH(bool, escolha);
        Programa p;
        QVERIFY(p.EntrarAluno());
        p.Comecar();
        p.Atalho(Qt::Key_F);
        p.Comecar();
        Teclar(QStringLiteral("asx"));
        p.amb.relogio.Avancar(30);
        if (escolha) {
            AoAbrirModal<InfoSenha>([](InfoSenha *) { Teclar(QStringLiteral("korva\n\n")); });
            AoAbrirModal<Carrega>([](Carrega *) { Teclar(QStringLiteral("1\n02\n\n")); });
            p.Atalho(Qt::Key_E);
        } else {
            p.Atalho(Qt::Key_P);
        }
        QTRY_COMPARE(p.Texto("LblExercicio"), QStringLiteral(" 002"));
        QCOMPARE(p.Passagem()->Texto(), *Biblioteca::Texto(1, 1));
        QCOMPARE(LerAluno(p.amb, 1).Exercicio, qint16(2));
        QVERIFY(!p.janela->EmDigitacao());
        QVERIFY(!p.Caixa()->isEnabled());
        QCOMPARE(p.Caixa()->toPlainText(), QString());
        for (const char *rotulo : {"LblTempoInicial", "LblTempoFinal", "LblTempoTotal", "LblErros", "LblToques"})
            QVERIFY2(p.Texto(rotulo).isEmpty(), rotulo);
        p.mensagens.Limpar();
        p.Atalho(Qt::Key_F);
        QCOMPARE(p.Texto("LblTempoFinal"), QStringLiteral("08:00:30"));
        QCOMPARE(p.Texto("LblTempoTotal"), QString());
        QCOMPARE(p.mensagens.Textos(), QStringList());
        p.Comecar();
        Teclar(p.Linhas().first() + u'\n');
        QCOMPARE(p.Texto("LblErros"), QString());
    }

    // The administrative commands: each one's access rule when chosen, and its window.
    void acessos_data()
    {
        // janela: the modal window that opens, or empty
        // mensagem: the refusal, or empty
        Colunas<bool, QString, QString, QString>("administrador", "menu", "janela", "mensagem");
        const auto linha = [](const char *nome, bool administrador, const char *menu, const char *janela,
                              const char *mensagem) {
            QTest::newRow(nome) << administrador << QString(menu) << QString(janela) << QString(mensagem);
        };
        const char *soAluno = "Opção permitida somente com senha de aluno!";
        linha("aluno: configuracoes", false, "MenuConfig", "", "Configuração permitida somente ao Administrador!");
        linha("aluno: cadastro", false, "MenuCadAlunos", "", "Cadastro permitido somente ao Administrador!");
        linha("aluno: sobre", false, "MenuSobre", "Sobre", "");
        linha("aluno: banco de resultados", false, "MenuBancoResultados", "",
              "Banco de resultados permitido somente ao Administrador!");
        linha("administrador: cadastro", true, "MenuCadAlunos", "Alunos", "");
        linha("administrador: senha", true, "MenuMudaAdm", "InfoSenha", "");
        linha("administrador: proximo", true, "MenuProximo", "", soAluno);
        linha("administrador: meu desempenho", true, "MenuDesempenho", "", soAluno);
        linha("administrador: alterar minha senha", true, "MenuAlteraSenha", "", soAluno);
        linha("administrador: banco de resultados", true, "MenuBancoResultados", "BancoResultados", "");
    }
    void acessos()
    {
        BUSCAR(bool, administrador, QString, menu, QString, janela, QString, mensagem);
        Programa p;
        QVERIFY(p.Cadastrar(1, QStringLiteral("ANA"), QStringLiteral("a"), 1, 1));
        // The administrator by the code 0, as well as by an empty code.
        QVERIFY(administrador ? p.Entrar(QStringLiteral("0"), QStringLiteral("KORVA"))
                              : p.Entrar(QStringLiteral("1"), QStringLiteral("a")));
        QString aberta;
        if (!janela.isEmpty()) {
            AoAbrirModal(QString(), [&aberta](QWidget *w) {
                aberta = QString::fromLatin1(w->metaObject()->className());
                w->close(); // the title bar's close: cancelling
            });
        }
        p.Menu(menu.toLatin1().constData())->trigger();
        QCOMPARE(aberta, janela);
        QCOMPARE(p.mensagens.Textos(), mensagem.isEmpty() ? QStringList() : QStringList{mensagem});
        // Cancelling the password prompt opens nothing more and writes nothing.
        QVERIFY(!p.amb.Existe(QStringLiteral("Config.arq")));
        QCOMPARE(LerAluno(p.amb, 1).Classe, qint16(1));
    }

    // The administrator's window: the logo opens the maker's site, the CAPS LOCK indicator blinks while
    // the key is on, and the settings chosen in Configurações apply at once.
    void janelaDoAdministrador()
    {
        Programa p;
        QVERIFY(p.EntrarAdministrador());
        QTest::mouseClick(p.Rotulo("PicOrvenal"), Qt::LeftButton);
        QCOMPARE(p.plataforma.enderecos, QList<QUrl>{QUrl(FrmTecloria::kSiteFabricante)});
        p.plataforma.caps = true;
        QLabel *caps = p.Rotulo("LblCaps");
        QTRY_COMPARE(caps->palette().color(QPalette::Window), QColor(200, 0, 0));
        QTRY_COMPARE(caps->palette().color(QPalette::Window), QColor(255, 255, 255));
        p.plataforma.caps = false;
        QTRY_COMPARE(caps->palette().color(QPalette::Window), QColor(255, 255, 255));
        AoAbrirModal<Configura>([](Configura *c) {
            c->findChild<QComboBox *>(QStringLiteral("CmbTamanhoFonte"))->setCurrentText(QStringLiteral("16"));
            c->findChild<QCheckBox *>(QStringLiteral("ChkTravar"))->setChecked(false);
            QTest::mouseClick(c->findChild<FlatButton *>(QStringLiteral("BtnOK")), Qt::LeftButton);
        });
        p.Menu("MenuConfig")->trigger();
        QCOMPARE(p.amb.Ler(QStringLiteral("Config.arq")).size(), 54);
        QCOMPARE(p.Caixa()->font().pointSize(), 16);
        QCOMPARE(p.Passagem()->font().pointSize(), 16);
        QVERIFY(!p.amb.digita.TravaNoErro);
        QVERIFY(p.amb.digita.PermiteBackspace);
    }

    // The input box's line on how to start: there while an exercise waits, gone while it is typed,
    // back after the finish. The keyboard: the teacher's setting at the login, the menu for the rest
    // of it; the window grows to hold it, and it follows the next character.
    void dicaETeclado()
    {
        Programa p;
        QString erro;
        QVERIFY(
            ArquivoDatilux::GravarConfig(p.amb.digita, ModeloTeclado::kChaveMostrar, QStringLiteral("1"), erro));
        QVERIFY(p.EntrarAluno());
        const QString dica = ControleDigitacao::kDicaInicio;
        auto *teclado = p.janela->findChild<TecladoNaTela *>(QStringLiteral("TecladoNaTela"));
        QCOMPARE(p.Caixa()->Dica(), dica);
        QVERIFY(teclado->isVisible());
        QVERIFY(teclado->geometry().top() > p.Caixa()->geometry().bottom());
        QVERIFY(p.janela->centralWidget()->height() > teclado->geometry().bottom());
        p.Comecar();
        QCOMPARE(p.Caixa()->Dica(), QString());
        const QChar primeiro = p.Passagem()->Texto().at(0);
        QCOMPARE(teclado->Destacadas().value(teclado->Modelo().TeclaDe(primeiro)), 1);
        p.Atalho(Qt::Key_F);
        p.mensagens.Limpar();
        QCOMPARE(p.Caixa()->Dica(), dica);
        QVERIFY(teclado->Destacadas().isEmpty());
        const int alta = p.janela->height();
        p.Menu("MenuTeclado")->trigger();
        QVERIFY(!teclado->isVisible());
        QVERIFY(p.janela->height() < alta);
    }

    // What a screen reader gets: every button a named button with its tip, every value label named
    // by its caption, the passage's and the typed text with the caret through the text interface.
    void acessibilidade()
    {
        Programa p;
        QVERIFY(p.EntrarAluno());
        for (FlatButton *b : p.janela->findChildren<FlatButton *>()) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(b);
            QVERIFY(a);
            QCOMPARE(a->role(), QAccessible::Button);
            QCOMPARE(a->text(QAccessible::Name), b->Caption().trimmed());
            QCOMPARE(a->text(QAccessible::Description), b->toolTip());
        }
        for (QLabel *l : p.janela->findChildren<QLabel *>())
            if (l->objectName().startsWith(QStringLiteral("Lbl")))
                QVERIFY2(!QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name).isEmpty(),
                         qPrintable(l->objectName()));
        QAccessibleTextInterface *passagem = QAccessible::queryAccessibleInterface(p.Passagem())->textInterface();
        QVERIFY(passagem);
        QCOMPARE(passagem->text(0, passagem->characterCount()), p.Passagem()->Texto());
        p.Comecar();
        const QString inicio = p.Passagem()->Texto().left(3);
        Teclar(inicio);
        QAccessibleTextInterface *caixa = QAccessible::queryAccessibleInterface(p.Caixa())->textInterface();
        QVERIFY(caixa);
        QCOMPARE(caixa->text(0, caixa->characterCount()), inicio);
        QCOMPARE(caixa->cursorPosition(), 3);
    }

    // The whole window on a screen with less room than its layout (a 1024×768 screen at 2×, a
    // 640×480 one), exact at its own size, and scaled up when larger; nothing overlapping, and the live
    // figures on view, clear of every control and menu title. At 640 pixels or less the layout is compact.
    // The program's own start: a bare window first, the login over it, the controls built behind the
    // login once it is on the screen; after the login the window is the one built whole, control for
    // control.
    void montagemProgressiva()
    {
        Programa inteira;
        QVERIFY(inteira.EntrarAluno());

        Programa p;
        QVERIFY(p.Cadastrar(1, QStringLiteral("ANA"), QStringLiteral("a"), 1, 1));
        bool atrasDoLogin = false;
        AoAbrirModal<TestaSenha>([&p, &atrasDoLogin](TestaSenha *login) {
            QTRY_VERIFY(p.Passagem() && p.Passagem()->isVisible());
            atrasDoLogin = login->isVisible();
            QTRY_VERIFY(login->findChild<QLineEdit *>(QStringLiteral("TxtCodigo"))->hasFocus());
            Teclar(QStringLiteral("1\na\n\n"));
        });
        p.janela = std::make_unique<FrmTecloria>(p.amb.digita, p.plataforma, FrmTecloria::Montagem::Progressiva);
        p.janela->DefinirLarguraTela(1024);
        QVERIFY(!p.Passagem());
        QVERIFY(p.janela->menuBar()->actions().isEmpty());
        p.janela->show();
        QTRY_VERIFY(p.Entrou());
        QVERIFY(atrasDoLogin);

        const auto controles = [](const Programa &q) {
            QStringList r;
            for (QWidget *w : q.janela->centralWidget()->findChildren<QWidget *>())
                if (!w->objectName().isEmpty())
                    r << QStringLiteral("%1 %2 %3,%4 %5x%6")
                             .arg(w->objectName())
                             .arg(w->isVisible())
                             .arg(w->x())
                             .arg(w->y())
                             .arg(w->width())
                             .arg(w->height());
            return r;
        };
        QCOMPARE(controles(p), controles(inteira));
        QCOMPARE(p.janela->size(), inteira.janela->size());
        QCOMPARE(p.janela->menuBar()->actions().size(), inteira.janela->menuBar()->actions().size());
        QCOMPARE(p.Texto("LblAluno"), inteira.Texto("LblAluno"));
    }

    void janelaCabe_data()
    {
        // janela: resized by hand after the login; empty: as it opens
        // escala: -1 smaller, 0 exact, 1 larger
        Colunas<QSize, QSize, int>("tela", "janela", "escala");
        QTest::newRow("1024x768 a 2x") << QSize(512, 384) << QSize() << -1;
        QTest::newRow("640x480") << QSize(640, 480) << QSize() << -1;
        QTest::newRow("640 de largura, alta") << QSize(640, 1000) << QSize() << 0;
        QTest::newRow("800 de largura, alta") << QSize(800, 1000) << QSize() << 0;
        QTest::newRow("1024x768") << QSize(1024, 768) << QSize() << 0;
        QTest::newRow("1920x1080 maximizada") << QSize(1920, 1080) << QSize(1900, 1040) << 1;
    }
    void janelaCabe()
    {
        BUSCAR(QSize, tela, QSize, janela, int, escala);
        Programa p;
        p.Abrir(QString(), QStringLiteral("korva"));
        p.janela->DefinirLarguraTela(tela.width());
        p.janela->DefinirAreaTela(QRect(QPoint(), tela));
        QTRY_VERIFY(p.Entrou());
        if (janela.isValid())
            p.janela->resize(janela);
        const auto quadro = [&p] { return p.janela->frameGeometry().size(); };
        QTRY_VERIFY2(quadro().boundedTo(tela) == quadro(),
                     qPrintable(QStringLiteral("%1x%2").arg(quadro().width()).arg(quadro().height())));
        QCOMPARE(escala < 0   ? p.janela->Escala() < 1
                 : escala > 0 ? p.janela->Escala() > 1
                              : p.janela->Escala() == 1,
                 true);
        QCOMPARE(p.janela->LayoutCompacto(), tela.width() <= 640);
        QWidget *centro = p.janela->centralWidget();
        QList<QWidget *> controles;
        for (QWidget *w : centro->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            // The compact layout leaves the logo out, past its right edge.
            if (w->isVisible() && !w->objectName().isEmpty() && w->objectName() != QStringLiteral("Grd")
                && !(p.janela->LayoutCompacto() && w->objectName() == QStringLiteral("PicOrvenal")))
                controles << w;
        QList<QRect> ocupados;
        for (QWidget *w : controles) {
            QVERIFY2(centro->rect().contains(w->geometry()), qPrintable(w->objectName()));
            for (QWidget *outro : controles)
                QVERIFY2(w == outro || !w->geometry().intersects(outro->geometry()),
                         qPrintable(w->objectName() + u' ' + outro->objectName()));
            ocupados.append(QRect(w->mapTo(p.janela.get(), QPoint()), w->size()));
        }
        QMenuBar *barra = p.janela->menuBar();
        for (QAction *a : barra->actions())
            ocupados.append(barra->actionGeometry(a).translated(barra->mapTo(p.janela.get(), QPoint())));
        for (const char *nome : {"LblVelocidade", "LblPrecisao"}) {
            QLabel *l = p.Rotulo(nome);
            const QRect r(l->mapTo(p.janela.get(), QPoint()), l->size());
            QVERIFY2(l->isVisible() && p.janela->rect().contains(r), nome);
            for (const QRect &o : ocupados)
                QVERIFY2(!o.intersects(r), nome);
        }
        // No taller than a menu title, so that the menu bar, and all below it, keeps its place.
        QVERIFY(p.janela->findChild<QWidget *>("Figuras")->height()
                <= barra->actionGeometry(barra->actions().first()).height());
        if (p.janela->LayoutCompacto() && escala == 0) {
            QCOMPARE(p.Passagem()->geometry(), QRect(0, 58, 633, 181));
            QCOMPARE(p.Caixa()->geometry(), QRect(0, 272, 633, 218));
            QCOMPARE(p.janela->findChild<FlatButton *>(QStringLiteral("BtnSair"))->pos(), QPoint(496, 245));
        }
    }

    // The menus open from the keyboard on their first item: F10 the first menu, Alt and a menu's initial that menu.
    void menusPeloTeclado_data()
    {
        Colunas<int, int, QString>("tecla", "modificador", "menu");
        QTest::newRow("F10") << int(Qt::Key_F10) << int(Qt::NoModifier) << "MenuArquivo";
        QTest::newRow("Alt+D") << int(Qt::Key_D) << int(Qt::AltModifier) << "MenuDigitacao";
    }
    void menusPeloTeclado()
    {
        BUSCAR(int, tecla, int, modificador, QString, menu);
        Programa p;
        QVERIFY(p.EntrarAdministrador());
        QVERIFY(p.Ativar());
        QTest::keyClick(p.janela.get(), Qt::Key(tecla), Qt::KeyboardModifiers(modificador));
        QMenu *esperado = p.janela->findChild<QMenu *>(menu);
        QTRY_COMPARE(p.janela->menuBar()->activeAction(), esperado->menuAction());
        QCOMPARE(esperado->activeAction(), esperado->actions().first());
        esperado->close();
    }

    // A line typed a key at a time keeps exactly the edges of the whole line laid out at once: where
    // the input box draws each character and puts the caret.
    void linhaAcrescentada_data()
    {
        Colunas<QString, QString>("fonte", "texto");
        for (const char *fonte : {"Liberation Mono", "DejaVu Sans"}) {
            const auto linha = [&](const char *caso, const QString &texto) {
                QTest::addRow("%s, %s", fonte, caso) << QString::fromLatin1(fonte) << texto;
            };
            linha("course text", QStringLiteral("asdfg ASDFG çãõ éê 12,5%"));
            linha("kerning pairs", QStringLiteral("AVAWAYTo Ty LT WA"));
            linha("ligatures", QStringLiteral("office affluent ffi fl"));
            linha("combining marks", QStringLiteral("ac\u0327a\u0303o e\u0301"));
            linha("another script", QStringLiteral("abc \u0634\u0645\u0633 def \u05e9\u05dc\u05d5\u05dd"));
        }
    }
    void linhaAcrescentada()
    {
        BUSCAR(QString, fonte, QString, texto);
        const QFont f(fonte, 12);
        LinhaTexto inteira;
        inteira.Definir(texto, f);
        LinhaTexto tecla;
        for (QChar c : texto)
            tecla.Acrescentar(c, f);
        QCOMPARE(tecla.Texto(), texto);
        for (int i = 0; i <= texto.size(); ++i)
            QVERIFY2(tecla.X(i) == inteira.X(i), qPrintable(QStringLiteral("edge %1").arg(i)));
    }
};

QTEST_MAIN(TestFrmTecloria)
#include "TestFrmTecloria.moc"
