#include "common/Mensagem.h"
#include "config/ArquivoConfig.h"
#include "config/Configura.h"
#include "support/Ambiente.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QFrame>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

const QString kConfig = ArquivoConfig::kNomeArquivo;

// The record a new installation's OK writes: three options on, "Courier New" 12, and the colours
// RGB(219, 234, 252), black, RGB(158, 192, 244), white.
const QByteArray kPadrao("\x01\x00\x01\x00\x01\x00"
                         "Courier New                   "
                         "\x0C\x00"
                         "\xDB\xEA\xFC\x00"
                         "\x00\x00\x00\x00"
                         "\x9E\xC0\xF4\x00"
                         "\xFF\xFF\xFF\x00",
                         54);

// Another record: every option off, "Arial" 9, four unusual colours.
const QByteArray kOutro("\x00\x00\x00\x00\x00\x00"
                        "Arial                         "
                        "\x09\x00"
                        "\x01\x02\x03\x00"
                        "\x04\x05\x06\x00"
                        "\x07\x08\x09\x00"
                        "\x0A\x0B\x0C\x00",
                        54);

QColor CorDaCaixa(QWidget *janela, const QString &nome)
{
    return janela->findChild<QFrame *>(nome)->palette().color(QPalette::Window);
}

// Replaces the text of an editable combo as a person does: select all, delete, type.
void Escrever(QComboBox *combo, const QString &texto)
{
    combo->setFocus();
    QTest::keyClick(combo->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
    for (QChar c : texto) {
        if (c.unicode() < 0x80)
            QTest::keyClick(combo->lineEdit(), c.toLatin1());
        else  // no key of its own in QTest: the text of an unknown key, as an input method sends it
            QTest::sendKeyEvent(QTest::Click, combo->lineEdit(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestConfigura : public QObject {
    Q_OBJECT

    std::unique_ptr<Ambiente> amb_;
    std::unique_ptr<Mensagem::Gravador> msgs_;
    std::unique_ptr<Configura> dlg_;

    template <class T = QWidget>
    T *Filho(const char *nome) const
    {
        return dlg_->findChild<T *>(QLatin1String(nome));
    }

    bool Abrir()
    {
        dlg_ = std::make_unique<Configura>(amb_->digita);
        dlg_->show();
        if (!QTest::qWaitForWindowActive(dlg_.get()))
            return false;
        // The font list arrives on the first activation.
        return QTest::qWaitFor([this] { return Filho<QComboBox>("CmbNomeFonte")->count() > 0; });
    }

    void Clicar(const char *botao) { QTest::mouseClick(Filho(botao), Qt::LeftButton); }

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

    void sem_arquivo_grava_o_padrao()
    {
        QVERIFY(Abrir());
        QCOMPARE(dlg_->windowTitle(), QStringLiteral("Configurações"));
        // The screen's fonts are offered, without losing the name shown.
        QCOMPARE(Filho<QComboBox>("CmbNomeFonte")->count(), QFontDatabase::families().size());
        QCOMPARE(Filho<QComboBox>("CmbNomeFonte")->currentText(), QStringLiteral("Courier New"));
        auto *tamanho = Filho<QComboBox>("CmbTamanhoFonte");
        QStringList tamanhos;
        for (int i = 0; i < tamanho->count(); ++i)
            tamanhos << tamanho->itemText(i);
        QCOMPARE(tamanhos, (QStringList{"8", "9", "10", "12", "14", "16", "18"}));

        Clicar("BtnOK");
        QVERIFY(!dlg_->isVisible());
        QCOMPARE(dlg_->result(), int(QDialog::Accepted));
        QCOMPARE(amb_->Ler(kConfig), kPadrao);
        QVERIFY(msgs_->mensagens.isEmpty());
    }

    void cancelar_nao_grava_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::addColumn<bool>("existia");
        for (const char *modo : {"botao", "escape", "barra de titulo"}) {
            QTest::addRow("%s, com arquivo", modo) << modo << true;
            QTest::addRow("%s, sem arquivo", modo) << modo << false;
        }
    }

    void cancelar_nao_grava()
    {
        QFETCH(QString, modo);
        QFETCH(bool, existia);
        if (existia)
            QVERIFY(amb_->Gravar(kConfig, kOutro));
        QVERIFY(Abrir());
        // The file is what the dialog shows.
        QCOMPARE(Filho<QCheckBox>("ChkBackSpace")->isChecked(), !existia);
        QCOMPARE(Filho<QComboBox>("CmbNomeFonte")->currentText(), existia ? "Arial" : "Courier New");
        QCOMPARE(Filho<QComboBox>("CmbTamanhoFonte")->currentText(), existia ? "9" : "12");
        QCOMPARE(CorDaCaixa(dlg_.get(), "CorFundo"), existia ? QColor(1, 2, 3) : QColor(219, 234, 252));
        QCOMPARE(CorDaCaixa(dlg_.get(), "CorLetra"), existia ? QColor(4, 5, 6) : QColor(0, 0, 0));
        QCOMPARE(CorDaCaixa(dlg_.get(), "CorJanela"), existia ? QColor(7, 8, 9) : QColor(158, 192, 244));
        QCOMPARE(CorDaCaixa(dlg_.get(), "CorFundoTexto"), existia ? QColor(10, 11, 12) : QColor(255, 255, 255));
        // Changes made and then abandoned.
        QTest::mouseClick(Filho("ChkSom"), Qt::LeftButton);
        Escrever(Filho<QComboBox>("CmbTamanhoFonte"), QStringLiteral("16"));

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

    void grava_o_que_os_controles_tem_data()
    {
        QTest::addColumn<QString>("fonte");
        QTest::addColumn<QString>("tamanho");
        QTest::addColumn<QString>("fonteGravada");
        QTest::addColumn<int>("tamanhoGravado");
        QTest::newRow("tamanho fora da lista") << "Liberation Mono" << "11" << "Liberation Mono" << 11;
        QTest::newRow("tamanho nao numerico") << "Arial" << "grande" << "Arial" << 0;
        QTest::newRow("tamanho arredondado") << "Arial" << "10.5" << "Arial" << 10;
        QTest::newRow("nome de 35 letras") << QString(35, u'F') << "8" << QString(30, u'F') << 8;
        QTest::newRow("nome vazio") << "" << "18" << "" << 18;
    }

    void grava_o_que_os_controles_tem()
    {
        QFETCH(QString, fonte);
        QFETCH(QString, tamanho);
        QFETCH(QString, fonteGravada);
        QFETCH(int, tamanhoGravado);
        QVERIFY(Abrir());
        Escrever(Filho<QComboBox>("CmbNomeFonte"), fonte);
        Escrever(Filho<QComboBox>("CmbTamanhoFonte"), tamanho);
        QTest::mouseClick(Filho("ChkTravar"), Qt::LeftButton);
        Clicar("BtnOK");
        QVERIFY(!dlg_->isVisible());

        const std::optional<ConfigRec> rec = ArquivoConfig::Decodificar(amb_->Ler(kConfig));
        QVERIFY(rec);
        QCOMPARE(amb_->Ler(kConfig).size(), 54);
        QCOMPARE(rec->NomeFonte.trimmed(), fonteGravada);
        QCOMPARE(int(rec->TamanhoFonte), tamanhoGravado);
        QCOMPARE(rec->BackSpace, qint16(1));
        QCOMPARE(rec->Travar, qint16(0));
        QCOMPARE(rec->Som, qint16(1));
    }

    void escolher_cor_data()
    {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<QString>("caixa");
        QTest::addColumn<int>("posicao");  // of the colour in the record
        QTest::addColumn<bool>("cancela");
        const struct {
            const char *botao, *caixa;
            int posicao;
        } linhas[] = {{"BtnSelCorFundo", "CorFundo", 38},
                      {"BtnSelCorLetra", "CorLetra", 42},
                      {"BtnSelCorJanela", "CorJanela", 46},
                      {"BtnCorFundoTexto", "CorFundoTexto", 50}};
        for (const auto &l : linhas) {
            QTest::addRow("%s escolhida", l.caixa) << l.botao << l.caixa << l.posicao << false;
            QTest::addRow("%s cancelada", l.caixa) << l.botao << l.caixa << l.posicao << true;
        }
    }

    void escolher_cor()
    {
        QFETCH(QString, botao);
        QFETCH(QString, caixa);
        QFETCH(int, posicao);
        QFETCH(bool, cancela);
        QColor mostrada;
        Configura::EscolherCor = [&](QWidget *, const QColor &atual) -> std::optional<QColor> {
            mostrada = atual;
            if (cancela)
                return std::nullopt;
            return QColor(0x12, 0x34, 0x56);
        };
        QVERIFY(Abrir());
        const QColor antes = CorDaCaixa(dlg_.get(), caixa);
        Clicar(qPrintable(botao));
        QCOMPARE(mostrada, antes);
        QCOMPARE(msgs_->Textos(), cancela ? QStringList{"Cancelado pelo usuário!"} : QStringList());
        if (cancela)
            QCOMPARE(msgs_->mensagens[0].icone, Mensagem::Icone::Critico);
        QCOMPARE(CorDaCaixa(dlg_.get(), caixa), cancela ? antes : QColor(0x12, 0x34, 0x56));

        Clicar("BtnOK");
        QByteArray esperado = kPadrao;
        if (!cancela)
            esperado.replace(posicao, 4, QByteArray("\x12\x34\x56\x00", 4));
        QCOMPARE(amb_->Ler(kConfig), esperado);
    }

    void falha_ao_gravar_data()
    {
        QTest::addColumn<bool>("pastaNoLugar");
        QTest::newRow("o arquivo e uma pasta") << true;
        QTest::newRow("nome que o arquivo nao comporta") << false;
    }

    void falha_ao_gravar()
    {
        QFETCH(bool, pastaNoLugar);
        if (pastaNoLugar)
            QVERIFY(QDir(amb_->digita.Pasta()).mkdir(kConfig));
        QVERIFY(Abrir());
        if (!pastaNoLugar)
            Escrever(Filho<QComboBox>("CmbNomeFonte"), QStringLiteral("Fonte \u4E2D"));
        msgs_->Limpar();
        Clicar("BtnOK");

        // Nothing reported as saved: the message names the file and the dialog stays open.
        QVERIFY(dlg_->isVisible());
        QCOMPARE(msgs_->mensagens.size(), 1);
        QCOMPARE(msgs_->mensagens[0].icone, Mensagem::Icone::Critico);
        QVERIFY2(msgs_->mensagens[0].texto.contains(QDir(amb_->digita.Pasta()).absoluteFilePath(kConfig)),
                 qPrintable(msgs_->mensagens[0].texto));
        QVERIFY(pastaNoLugar || !amb_->Existe(kConfig));
    }
};

QTEST_MAIN(TestConfigura)
#include "TestConfigura.moc"
