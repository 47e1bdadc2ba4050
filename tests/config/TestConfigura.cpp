#include "access/ArquivoDatilux.h"
#include "common/Mensagem.h"
#include "config/ArquivoConfig.h"
#include "config/Configura.h"
#include "config/MarcaErros.h"
#include "config/Traducoes.h"
#include "support/Ambiente.h"
#include "support/Arquivos.h"
#include "support/Tabela.h"
#include "support/Teclado.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontDatabase>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QString kConfig = ArquivoConfig::kNomeArquivo;

// Another record: every option off, "Arial" 9, four unusual colours.
const QByteArray kOutro("\x00\x00\x00\x00\x00\x00"
                        "Arial                         "
                        "\x09\x00"
                        "\x01\x02\x03\x00"
                        "\x04\x05\x06\x00"
                        "\x07\x08\x09\x00"
                        "\x0A\x0B\x0C\x00",
                        54);

// What OK writes once font, size and "Travar" have been changed in a new installation's dialog.
QByteArray Gravado(const QByteArray &fonte, char tamanho)
{
    return QByteArray("\x01\x00\x00\x00\x01\x00", 6) + fonte.leftJustified(30) + tamanho + '\0'
           + kConfigPadrao.mid(38);
}

// Replaces the text of an editable combo as a person does: select all, delete, type.
void Escrever(QComboBox *combo, const QString &texto)
{
    combo->setFocus();
    Teclar(QStringLiteral("\x01\b") + texto);
}

} // namespace

class TestConfigura : public QObject {
    Q_OBJECT

    std::unique_ptr<Ambiente> amb_;
    std::unique_ptr<Mensagem::Gravador> msgs_;
    std::unique_ptr<Configura> dlg_;

    template <class T = QWidget>
    T *Filho(const QString &nome) const
    {
        return dlg_->findChild<T *>(nome);
    }
    void Clicar(const QString &nome) const { QTest::mouseClick(Filho(nome), Qt::LeftButton); }
    QColor Cor(const QString &caixa) const { return Filho<QFrame>(caixa)->palette().color(QPalette::Window); }

    bool Abrir()
    {
        dlg_ = std::make_unique<Configura>(amb_->digita);
        dlg_->show();
        if (!QTest::qWaitForWindowActive(dlg_.get()))
            return false;
        // The font list arrives on the first activation.
        return QTest::qWaitFor([this] { return Filho<QComboBox>("CmbNomeFonte")->count() > 0; });
    }

private slots:
    void init()
    {
        amb_ = std::make_unique<Ambiente>();
        msgs_ = std::make_unique<Mensagem::Gravador>();
    }

    void cleanup()
    {
        dlg_.reset();
        Configura::EscolherCor = nullptr;
        msgs_.reset();
        amb_.reset();
    }

    void cancelarNaoGrava_data()
    {
        Colunas<QString, bool>("modo", "existia");
        QTest::newRow("botao, com arquivo") << "botao" << true;
        QTest::newRow("escape, sem arquivo") << "escape" << false;
        QTest::newRow("barra de titulo, com arquivo") << "barra de titulo" << true;
    }

    void cancelarNaoGrava()
    {
        BUSCAR(QString, modo, bool, existia);
        if (existia)
            QVERIFY(amb_->Gravar(kConfig, kOutro));
        QVERIFY(Abrir());
        QCOMPARE(dlg_->windowTitle(), QStringLiteral("Configurações"));
        QVERIFY(msgs_->mensagens.isEmpty());
        // The screen's fonts are offered, without losing the name shown; the sizes are a fixed list.
        auto *fonte = Filho<QComboBox>("CmbNomeFonte"), *tamanho = Filho<QComboBox>("CmbTamanhoFonte");
        QCOMPARE(fonte->count(), QFontDatabase::families().size());
        QStringList tamanhos;
        for (int i = 0; i < tamanho->count(); ++i)
            tamanhos << tamanho->itemText(i);
        QCOMPARE(tamanhos, (QStringList{"8", "9", "10", "12", "14", "16", "18"}));
        // The file (or, without one, the defaults) is what the dialog shows.
        QCOMPARE(Filho<QCheckBox>("ChkBackSpace")->isChecked(), !existia);
        QCOMPARE(fonte->currentText(), existia ? "Arial" : "Courier New");
        QCOMPARE(tamanho->currentText(), existia ? "9" : "12");
        QCOMPARE((QList<QColor>{Cor("CorFundo"), Cor("CorLetra"), Cor("CorJanela"), Cor("CorFundoTexto")}),
                 (existia ? QList<QColor>{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}
                          : QList<QColor>{{219, 234, 252}, {0, 0, 0}, {158, 192, 244}, {255, 255, 255}}));
        // Changes made and then abandoned.
        Clicar("ChkSom");
        Escrever(tamanho, QStringLiteral("16"));

        if (modo == "botao")
            Clicar("BtnCancelar");
        else if (modo == "escape")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            QVERIFY(dlg_->close());
        QVERIFY(!dlg_->isVisible());
        QCOMPARE(dlg_->result(), int(QDialog::Rejected));
        QCOMPARE(amb_->Existe(kConfig), existia);
        if (existia)
            QCOMPARE(amb_->Ler(kConfig), kOutro);
    }

    // OK saves what the boxes hold; a file that cannot take it is reported by name, the dialog stays open.
    void okGravaOQueOsControlesTem_data()
    {
        // pasta: a folder where the file goes
        // gravado: empty: nothing saved
        Colunas<QString, QString, bool, QByteArray>("fonte", "tamanho", "pasta", "gravado");
        const auto linha = [](const char *nome, const QString &fonte, const char *tamanho, bool pasta,
                              const QByteArray &gravado) {
            QTest::newRow(nome) << fonte << QString(tamanho) << pasta << gravado;
        };
        linha("tamanho fora da lista", "Liberation Mono", "11", false, Gravado("Liberation Mono", 11));
        linha("tamanho nao numerico", "Arial", "grande", false, Gravado("Arial", 0));
        linha("tamanho arredondado", "Arial", "10.5", false, Gravado("Arial", 10));
        linha("nome vazio", "", "18", false, Gravado("", 18));
        linha("o arquivo e uma pasta", "Arial", "12", true, QByteArray());
    }

    void okGravaOQueOsControlesTem()
    {
        BUSCAR(QString, fonte, QString, tamanho, bool, pasta, QByteArray, gravado);
        if (pasta)
            QVERIFY(QDir(amb_->digita.Pasta()).mkdir(kConfig));
        QVERIFY(Abrir());
        Escrever(Filho<QComboBox>("CmbNomeFonte"), fonte);
        Escrever(Filho<QComboBox>("CmbTamanhoFonte"), tamanho);
        Clicar("ChkTravar");
        msgs_->Limpar();
        Clicar("BtnOK");

        QCOMPARE(dlg_->isVisible(), gravado.isEmpty());
        if (gravado.isEmpty()) {
            QCOMPARE(msgs_->mensagens.size(), 1);
            QCOMPARE(msgs_->mensagens[0].icone, Mensagem::Icone::Critico);
            QVERIFY2(msgs_->mensagens[0].texto.contains(QDir(amb_->digita.Pasta()).absoluteFilePath(kConfig)),
                     qPrintable(msgs_->mensagens[0].texto));
            QVERIFY(pasta || !amb_->Existe(kConfig));
        } else {
            QCOMPARE(dlg_->result(), int(QDialog::Accepted));
            QVERIFY(msgs_->mensagens.isEmpty());
            QCOMPARE(amb_->Ler(kConfig), gravado);
        }
    }

    // Each colour button offers the colour its box shows; a choice changes the box and what OK saves,
    // a cancelled one is reported and changes nothing.
    void escolherCores()
    {
        std::optional<QColor> resposta;
        QList<QColor> mostradas;
        Configura::EscolherCor = [&](QWidget *, const QColor &atual) {
            mostradas << atual;
            return resposta;
        };
        QVERIFY(Abrir());
        const char *botoes[][2] = {{"BtnSelCorFundo", "CorFundo"},
                                   {"BtnSelCorLetra", "CorLetra"},
                                   {"BtnSelCorJanela", "CorJanela"},
                                   {"BtnCorFundoTexto", "CorFundoTexto"}};
        QByteArray esperado = kConfigPadrao;
        for (int i = 0; i < 4; ++i) {
            const QColor antes = Cor(botoes[i][1]), escolhida(0x12, 0x34, 0x50 + i);
            mostradas.clear();
            resposta = escolhida;
            Clicar(botoes[i][0]);
            QCOMPARE(Cor(botoes[i][1]), escolhida);
            resposta.reset(); // cancelled: the box keeps the colour chosen before
            Clicar(botoes[i][0]);
            QCOMPARE(mostradas, (QList<QColor>{antes, escolhida}));
            QCOMPARE(Cor(botoes[i][1]), escolhida);
            QCOMPARE(msgs_->Textos(), QStringList(i + 1, "Cancelado pelo usuário!"));
            QCOMPARE(msgs_->mensagens.last().icone, Mensagem::Icone::Critico);
            esperado.replace(38 + 4 * i, 4, QByteArray("\x12\x34", 2) + char(0x50 + i) + '\0');
        }
        Clicar("BtnOK");
        QCOMPARE(amb_->Ler(kConfig), esperado);
    }

    // With the program's translations in place, the colour chooser (and Qt's other standard
    // windows and buttons) no longer speak English.
    void dialogosDoQtEmPortugues()
    {
        QVERIFY(Traducoes::Instalar(*qApp));
        QDialogButtonBox botoes(QDialogButtonBox::Cancel);
        const QStringList textos{QColorDialog().windowTitle(),
                                 botoes.button(QDialogButtonBox::Cancel)->text().remove(u'&')};
        QVERIFY2(!textos.contains(QString()) && textos[0] != "Select Color" && textos[1] != "Cancel",
                 qPrintable(textos.join(u'|')));
    }

    // The marking of wrong letters lives in the settings store, never in Config.arq's 54 bytes: off
    // and red unless stored, shown as stored, written by OK with its own colour.
    void marcarErros_data()
    {
        // guardado: MarcarErros and CorErros before, "" when absent
        // ligar: the box as OK finds it
        // cor: chosen with the button, "" for none
        // mostrado: what the dialog showed when it opened
        // gravado: the two keys after OK
        Colunas<QString, bool, QString, QString, QString>("guardado", "ligar", "cor", "mostrado", "gravado");
        QTest::newRow("padrao") << "" << false << "" << QStringLiteral("0 #ff0000") << QStringLiteral("0 255");
        QTest::newRow("ligado com cor")
            << "" << true << "#123456" << QStringLiteral("0 #ff0000") << QStringLiteral("1 5649426");
        QTest::newRow("guardado volta")
            << "1 65280" << true << "" << QStringLiteral("1 #00ff00") << QStringLiteral("1 65280");
    }
    void marcarErros()
    {
        BUSCAR(QString, guardado, bool, ligar, QString, cor, QString, mostrado, QString, gravado);
        QString erro, marcar, corErros;
        if (!guardado.isEmpty()) {
            QVERIFY(ArquivoDatilux::GravarConfig(amb_->digita, MarcaErros::kChaveMarcar,
                                                 guardado.section(u' ', 0, 0), erro));
            QVERIFY(ArquivoDatilux::GravarConfig(amb_->digita, MarcaErros::kChaveCor, guardado.section(u' ', 1),
                                                 erro));
        }
        Configura::EscolherCor = [cor](QWidget *, const QColor &) { return std::optional<QColor>(QColor(cor)); };
        QVERIFY(Abrir());
        auto *chk = Filho<QCheckBox>("ChkMarcarErros");
        QCOMPARE(chk->text(), QStringLiteral("Marcar erros com outra cor"));
        QCOMPARE(QString::number(chk->isChecked()) + u' ' + Cor("CorErros").name(), mostrado);
        chk->setChecked(ligar);
        if (!cor.isEmpty())
            Clicar("BtnCorErros");
        Clicar("BtnOK");
        QCOMPARE(amb_->Ler(kConfig), kConfigPadrao);
        amb_->digita.TextoConfig.clear();
        QVERIFY(ArquivoDatilux::LerConfig(amb_->digita, MarcaErros::kChaveMarcar, marcar, erro));
        QVERIFY(ArquivoDatilux::LerConfig(amb_->digita, MarcaErros::kChaveCor, corErros, erro));
        QCOMPARE(marcar + u' ' + corErros, gravado);
    }
};

QTEST_MAIN(TestConfigura)
#include "TestConfigura.moc"
