#include "access/Alunos.h"
#include "app/Acessibilidade.h"
#include "common/Mensagem.h"
#include "controls/BoxList/BoxList.h"
#include "controls/FlatButton/FlatButton.h"
#include "controls/SpCombo/SpCombo.h"
#include "exercises/Biblioteca.h"
#include "support/Ambiente.h"
#include "support/Arquivos.h"
#include "support/Tabela.h"
#include "support/Teclado.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <memory>

namespace {

const QString kArquivo = QStringLiteral("Alunos.arq");

const QByteArray kTres =
    Reg("0001", "ANA", "ana1", 2, 5) + Reg("0002", "BRUNO", "bruno", 5, 3) + Reg("0003", "CARLA", "x", 6, 14);

// Root ignores file permissions; without these capabilities a read-only file is read-only for us too.
struct SemPrivilegio {
    __user_cap_header_struct cab{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct antes[2]{}, sem[2]{};
    SemPrivilegio()
    {
        syscall(SYS_capget, &cab, antes);
        sem[0] = antes[0], sem[1] = antes[1];
        sem[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        syscall(SYS_capset, &cab, sem);
    }
    ~SemPrivilegio() { syscall(SYS_capset, &cab, antes); }
};

} // namespace

class TestAlunos : public QObject {
    Q_OBJECT

    std::unique_ptr<Ambiente> amb_;
    std::unique_ptr<Mensagem::Gravador> msgs_;
    std::unique_ptr<Alunos> janela_;

    template <class T = QLineEdit>
    T *W(const char *nome)
    {
        return janela_->findChild<T *>(QLatin1String(nome));
    }
    BoxList *Grade() { return W<BoxList>("GrdLst"); }
    QString Ultima() const { return msgs_->mensagens.isEmpty() ? QString() : msgs_->mensagens.last().texto; }

    // The window as the main window shows it, with the focus where a person finds it.
    bool Abrir(const QByteArray &arquivo)
    {
        if (!arquivo.isNull() && !amb_->Gravar(kArquivo, arquivo))
            return false;
        janela_ = std::make_unique<Alunos>(amb_->digita, Biblioteca::ExerciciosPorClasse());
        return Mostrar(janela_.get(), W("TxtCodigo"));
    }

private slots:
    // A screen reader reads the grid as a table of the stored students under the column titles,
    // and the flat buttons as named buttons.
    void acessibilidade()
    {
        Acessibilidade::Instalar();
        QVERIFY(Abrir(kTres));
        QAccessibleInterface *grade = QAccessible::queryAccessibleInterface(W<BoxList>("GrdLst"));
        QCOMPARE(grade->role(), QAccessible::Table);
        QAccessibleTableInterface *t = grade->tableInterface();
        QCOMPARE((QList<int>{t->rowCount(), t->columnCount()}), (QList<int>{3, 5}));
        QCOMPARE(t->columnDescription(1), QStringLiteral("Nome"));
        QAccessibleInterface *celula = t->cellAt(1, 1);
        QCOMPARE((QStringList{celula->text(QAccessible::Name), celula->text(QAccessible::Description)}),
                 (QStringList{"BRUNO", "Nome"}));
        QCOMPARE(celula->tableCellInterface()->table(), grade);
        QAccessibleInterface *excluir = QAccessible::queryAccessibleInterface(W<FlatButton>("BtnExcluir"));
        QCOMPARE(excluir->role(), QAccessible::Button);
        QCOMPARE(excluir->text(QAccessible::Name), QStringLiteral("Excluir"));
    }

    void init()
    {
        amb_ = std::make_unique<Ambiente>();
        msgs_ = std::make_unique<Mensagem::Gravador>();
    }

    void cleanup()
    {
        janela_.reset();
        msgs_.reset();
        amb_.reset();
    }

    // What is typed and clicked, and what the boxes, the messages, the file and the grid show afterwards.
    // BRUNO (0002) is logged in throughout: once the window closes he is back, as the file now holds him.
    void entradaPeloTeclado_data()
    {
        // codigo: the code box afterwards
        // incluir: BtnIncluir enabled afterwards
        // mensagem: the last message, or the start of it
        // depois: the file afterwards
        Colunas<QByteArray, QString, QString, bool, QString, QByteArray>("arquivo", "roteiro", "codigo", "incluir",
                                                                         "mensagem", "depois");
        const auto linha = [](const char *nome, const QByteArray &arquivo, const char *roteiro, const char *codigo,
                              bool incluir, const QString &mensagem, const QByteArray &depois) {
            QTest::newRow(nome) << arquivo << QString(roteiro) << QString(codigo) << incluir << mensagem << depois;
        };
        const QByteArray nada(""), cheio = kTres + QByteArray((9999 - 3) * 62, '\0');
        const QString invalido = QStringLiteral("Código inválido!");
        linha("vazio: 0001 proposto", QByteArray(), "", "0001", true, "", nada);
        linha("vazio: 0005 vira 0001", QByteArray(), "0005\n", "0001", true, "", nada);
        linha("nome minusculo gravado maiusculo", QByteArray(), "\nmaria silva\nsegredo\n5\n12\n\n", "0002", true,
              "", Reg("0001", "MARIA SILVA", "segredo", 5, 12));
        linha("registro cortado: inteiros contam", kTres + "0004MAR", "9\n", "0004", true, "", kTres + "0004MAR");
        linha("existente, Sair", kTres, "2\n{BtnSair}", "0002", false, "", kTres);
        linha("alterar outro", kTres, "3\n\1carla dias\n{BtnAlterar}", "0004", false, "",
              ComVaga(kTres, 3, Reg("0003", "CARLA DIAS", "x", 6, 14)));
        linha("alterar o logado", kTres, "2\n\x01z{BtnAlterar}", "0004", false, "",
              ComVaga(kTres, 2, Reg("0002", "Z", "bruno", 5, 3)));
        linha("excluir 0002, o logado", kTres, "2\n{BtnExcluir}", "0004", false,
              QStringLiteral("Apagar também os resultados de BRUNO"),
              ComVaga(kTres, 2, Reg("0002", "", "", 1, 1)));
        linha("codigo 0", kTres, "0\n", "0004", true, invalido, kTres);
        linha("codigo nao numerico", kTres, "ab\n", "0004", true, invalido, kTres);
        linha("incluir com codigo 0", kTres, "0{BtnIncluir}", "0004", true, invalido, kTres);
        linha("excluir sem aluno", kTres, "{BtnExcluir}", "0004", true, QStringLiteral("Código não cadastrado!"),
              kTres);
        linha("nome fora do Windows-1252", QByteArray(), "\nJOSÉ Ω\nsegredo{BtnIncluir}", "0001", true,
              QStringLiteral("O nome contém caracteres que o arquivo não comporta (Ω)."), nada);
        linha("cadastro cheio", cheio, "\n{BtnIncluir}", "", true, ArquivoAlunos::kCadastroCompleto, cheio);
        linha("senha fora do Windows-1252", kTres, "1\n\nсекрет{BtnAlterar}", "0001", false,
              QStringLiteral("A senha contém caracteres"), kTres);
    }

    void entradaPeloTeclado()
    {
        BUSCAR(QByteArray, arquivo, QString, roteiro, QByteArray, depois, QString, mensagem);
        amb_->digita.AlunoAtual = ArquivoAlunos::Decodificar(kTres.mid(62, 62));
        QVERIFY(Abrir(arquivo));
        Teclar(roteiro, janela_.get());
        janela_->close();
        QTEST(W("TxtCodigo")->text(), "codigo");
        QTEST(W<FlatButton>("BtnIncluir")->Enabled(), "incluir");
        QVERIFY2(mensagem.isEmpty() ? msgs_->mensagens.isEmpty() : Ultima().startsWith(mensagem),
                 qPrintable(Ultima()));
        QCOMPARE(amb_->Ler(kArquivo), depois);
        QCOMPARE(amb_->digita.AlunoAtual,
                 ArquivoAlunos::Decodificar((depois.size() >= 124 ? depois : kTres).mid(62, 62)));
        // The grid lists every student with a name, code and name as stored.
        QStringList listados, esperados;
        for (int r = 0; r < Grade()->ListCount(); ++r)
            listados << Grade()->List(0, r) + Grade()->List(1, r);
        for (int n = 0; n + 62 <= depois.size(); n += 62)
            if (!depois.mid(n + 4, 30).trimmed().isEmpty())
                esperados << QString::fromLatin1(depois.mid(n, 34));
        QCOMPARE(listados, esperados);
    }

    // Another computer writes the file while the window is open ("|" in the script marks when):
    // nothing it wrote is overwritten without a question, and a code it took is not reused.
    void outroComputador_data()
    {
        // outro: the record the other computer writes
        // resposta: to the question, if one is asked
        // mensagem: the first message, or the start of it
        Colunas<QString, QByteArray, bool, QString, QByteArray>("roteiro", "outro", "resposta", "mensagem",
                                                                "depois");
        const QByteArray eva = Reg("0004", "EVA", "e", 1, 1), bruno = Reg("0002", "BRUNO", "nova", 5, 4);
        const QString perguntaBruno =
            "O aluno do código 0002 foi alterado em outro computador depois de aparecer aqui. "
            "No arquivo agora: BRUNO, classe 05, exercício 004.";
        QTest::newRow("incluir: codigo tomado, proximo proposto")
            << "\ndani\nd|{BtnIncluir}{BtnIncluir}" << eva << false << Alunos::CodigoOcupado(4, 5)
            << kTres + eva + Reg("0005", "DANI", "d", 0, 0);
        QTest::newRow("alterar: mudou, nao")
            << "2\n\1bruno dias|{BtnAlterar}" << bruno << false << perguntaBruno << ComVaga(kTres, 2, bruno);
        QTest::newRow("alterar: mudou, sim") << "2\n\1bruno dias|{BtnAlterar}" << bruno << true << perguntaBruno
                                             << ComVaga(kTres, 2, Reg("0002", "BRUNO DIAS", "bruno", 5, 3));
        QTest::newRow("alterar: outro aluno mudou")
            << "2\n\1bruno dias|{BtnAlterar}" << eva << false << ""
            << ComVaga(kTres, 2, Reg("0002", "BRUNO DIAS", "bruno", 5, 3)) + eva;
        QTest::newRow("excluir: mudou, nao")
            << "2\n|{BtnExcluir}" << bruno << false << perguntaBruno << ComVaga(kTres, 2, bruno);
        QTest::newRow("excluir: mudou, sim") << "2\n|{BtnExcluir}" << bruno << true << perguntaBruno
                                             << ComVaga(kTres, 2, Reg("0002", "", "", 1, 1));
    }

    void outroComputador()
    {
        BUSCAR(QString, roteiro, QByteArray, outro, QString, mensagem, bool, resposta);
        msgs_->resposta = resposta;
        QVERIFY(Abrir(kTres));
        const QStringList partes = roteiro.split(u'|');
        Teclar(partes[0], janela_.get());
        ArquivoAlunos vizinho;
        QString erro;
        QVERIFY(vizinho.Abrir(amb_->Caminho(kArquivo), erro)
                && vizinho.Gravar(ArquivoAlunos::Decodificar(outro), erro));
        Teclar(partes[1], janela_.get());
        QCOMPARE(msgs_->mensagens.isEmpty() ? QString() : msgs_->mensagens.first().texto.left(mensagem.size()),
                 mensagem);
        QTEST(amb_->Ler(kArquivo), "depois");
        // After a "no" the boxes show the student as the file now holds him.
        if (!resposta && mensagem.startsWith("O aluno"))
            QCOMPARE(W<SpCombo>("TxtExercicio")->Text(), QStringLiteral("004"));
    }

    void gradeECaixas()
    {
        QVERIFY(Abrir(kTres));
        QCOMPARE(janela_->windowTitle(), QStringLiteral("Cadastro de alunos"));
        QCOMPARE(Grade()->List(2, 0), QStringLiteral("****"));
        QCOMPARE(Grade()->List(3, 1) + Grade()->List(4, 1), QStringLiteral("05003"));
        QCOMPARE(Grade()->ListIndex(), 2); // the last row selected
        // A row chosen in the grid: the real password in the box.
        QTest::mouseClick(Grade()->TxtList(0), Qt::LeftButton);
        QCOMPARE(W("TxtCodigo")->text() + W("TxtNome")->text() + W("TxtSenha")->text(),
                 QStringLiteral("0001ANAana1"));
        QCOMPARE(W<SpCombo>("TxtClasse")->Text() + W<SpCombo>("TxtExercicio")->Text(), QStringLiteral("02005"));
        QVERIFY(W<FlatButton>("BtnAlterar")->Enabled() && !W<FlatButton>("BtnIncluir")->Enabled());
        // The arrow keys choose too; Delete in the grid deletes nothing (that is " Excluir"'s job).
        QTest::keyClick(Foco(), Qt::Key_Down);
        QCOMPARE(W("TxtNome")->text(), QStringLiteral("BRUNO"));
        QTest::keyClick(Foco(), Qt::Key_Delete);
        QCOMPARE(Grade()->ListCount(), 3);
        QCOMPARE(amb_->Ler(kArquivo), kTres);
    }

    void listaDeExercicios_data()
    {
        // roteiro: from the code box to the class combo
        Colunas<QString, int>("roteiro", "quantidade");
        QTest::newRow("classe 5 escolhida") << "\n\n\n5\n" << 18;
        QTest::newRow("classe 1 escolhida") << "\n\n\n1\n" << 47;
        QTest::newRow("classe 6 digitada e Tab") << "\n\n\n6\t" << 14;
        QTest::newRow("classe 05 de um aluno") << "2\n\n\n" << 18;
    }

    void listaDeExercicios()
    {
        BUSCAR(QString, roteiro, int, quantidade);
        QVERIFY(Abrir(kTres));
        Teclar(roteiro, janela_.get());
        QStringList esperados;
        for (int i = 1; i <= quantidade; ++i)
            esperados << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        QCOMPARE(W<SpCombo>("TxtExercicio")->Itens(), esperados);
    }

    void falhasDoArquivoNomeiamOArquivo_data()
    {
        // pasta: a folder where the file should be: it cannot even be opened
        Colunas<bool, QString, int>("pasta", "roteiro", "mensagens");
        QTest::newRow("somente leitura") << false << "2\n\1BIA{BtnAlterar}" << 1; // it still lists
        QTest::newRow("pasta no lugar do arquivo") << true << "\nBIA{BtnIncluir}" << 2;
    }

    void falhasDoArquivoNomeiamOArquivo()
    {
        BUSCAR(bool, pasta, QString, roteiro);
        const QString caminho = amb_->Caminho(kArquivo);
        QVERIFY(pasta ? QDir().mkdir(caminho)
                      : amb_->Gravar(kArquivo, kTres) && QFile::setPermissions(caminho, QFile::ReadOwner));
        SemPrivilegio sem;
        QVERIFY(Abrir(QByteArray()));
        Teclar(roteiro, janela_.get());
        QTEST(int(msgs_->mensagens.size()), "mensagens");
        for (const QString &m : msgs_->Textos())
            QVERIFY2(m.contains(QDir::cleanPath(caminho)), qPrintable(m));
        QCOMPARE(W("TxtNome")->text(), QStringLiteral("BIA")); // what was typed stays
        QCOMPARE(amb_->Ler(kArquivo), pasta ? QByteArray() : kTres);
    }
};

QTEST_MAIN(TestAlunos)
#include "TestAlunos.moc"
