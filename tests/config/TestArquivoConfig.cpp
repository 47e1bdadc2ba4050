#include "config/ArquivoConfig.h"
#include "support/Ambiente.h"
#include "support/Arquivos.h"
#include "support/DispositivoFalho.h"
#include "support/LimiteArquivo.h"
#include "support/ProgramaNucleo.h"
#include "support/Tabela.h"

#include <QTest>
#include <QtEndian>

Q_DECLARE_METATYPE(ConfigRec)

namespace {

const QString kConfig = ArquivoConfig::kNomeArquivo;

ConfigRec Rec(qint16 backspace, qint16 travar, qint16 som, const QString &fonte, qint16 tamanho)
{
    ConfigRec r;
    r.BackSpace = backspace, r.Travar = travar, r.Som = som, r.NomeFonte = fonte, r.TamanhoFonte = tamanho;
    return r;
}

} // namespace

class TestArquivoConfig : public QObject {
    Q_OBJECT

private slots:
    void gravar_data()
    {
        // limite: bytes the disk takes; 0: no limit
        // depois: empty: refused, file unchanged
        Colunas<QByteArray, ConfigRec, int, QByteArray, QString>("antes", "rec", "limite", "depois", "motivo");
        QTest::newRow("padrao, arquivo novo")
            << QByteArray() << ArquivoConfig::Padrao() << 0 << kConfigPadrao << QString();
        QTest::newRow("fonte de 31 cortada")
            << kConfigPadrao << Rec(0, 1, 0, QString(31, u'F'), 11) << 0
            << QByteArray("\0\0\x01\0\0\0", 6) + QByteArray(30, 'F') + "\x0B" + kConfigPadrao.mid(37) << QString();
        QTest::newRow("arquivo maior encurtado")
            << kConfigPadrao + "sobra" << Rec(1, 0, 1, QStringLiteral("Fonte Ç"), -2) << 0
            << QByteArray("\x01\0\0\0\x01\0", 6) + QByteArray("Fonte \xC7").leftJustified(30) + "\xFE\xFF"
                   + kConfigPadrao.mid(38)
            << QString();
        QTest::newRow("fonte fora do 1252")
            << kConfigPadrao.left(10) << Rec(0, 0, 0, QStringLiteral("Noto 明朝"), 9) << 0 << QByteArray()
            << QStringLiteral("O nome da fonte contém caracteres que o arquivo não comporta (明朝)");
        QTest::newRow("disco cheio apos 20 bytes") << kConfigPadrao.left(10) << Rec(0, 0, 0, "Arial", 9) << 20
                                                   << QByteArray() << QStringLiteral("arquivo grande demais");
    }
    void gravar()
    {
        BUSCAR(QByteArray, antes, ConfigRec, rec, int, limite, QByteArray, depois, QString, motivo);
        Ambiente amb;
        if (!antes.isEmpty())
            QVERIFY(amb.Gravar(kConfig, antes));
        QString erro;
        {
            LimiteArquivo disco(limite ? rlim_t(limite) : RLIM_INFINITY);
            QCOMPARE(ArquivoConfig::Gravar(amb.Caminho(kConfig), rec, erro), motivo.isEmpty());
        }
        QVERIFY2(
            motivo.isEmpty()
                || erro.startsWith("Não foi possível gravar o arquivo " + amb.Caminho(kConfig) + ": " + motivo),
            qPrintable(erro));
        QCOMPARE(amb.Ler(kConfig), motivo.isEmpty() ? depois : antes);
        std::optional<ConfigRec> lido;
        QVERIFY(ArquivoConfig::Ler(amb.Caminho(kConfig), lido, erro));
        rec.NomeFonte = rec.NomeFonte.left(30).leftJustified(30);
        QCOMPARE(lido == rec, motivo.isEmpty());

        // The same failures from a device that takes only `limite` bytes.
        DispositivoFalho dispositivo(limite ? limite : 54);
        QVERIFY(dispositivo.open(QIODevice::WriteOnly));
        QCOMPARE(ArquivoConfig::EscreverRegistro(dispositivo, rec, erro), motivo.isEmpty());
        QVERIFY(motivo.isEmpty() || erro.startsWith(limite ? QStringLiteral("não há espaço no disco") : motivo));
    }

    void carregar_data()
    {
        // conteudo: null: no file
        Colunas<QByteArray, QList<bool>, int>("conteudo", "opcoes", "tamanho");
        QTest::newRow("ausente") << QByteArray() << QList<bool>{true, true, true} << 0;
        // Cut short (defaults, as if absent), whole, and with bytes after the record.
        for (int n : {0, 36, 53, 54, 4096})
            QTest::addRow("%d bytes", n)
                << kConfigPadrao.repeated(80).left(n) << QList<bool>{true, true, true} << (n < 54 ? 0 : 12);
        QTest::newRow("zeros: tamanho do projeto")
            << QByteArray(54, '\0') << QList<bool>{false, false, false} << 0;
        QTest::newRow("diferente de zero vale") << QByteArray("\x00\x00\xFF\xFF\x02\x00", 6) + kConfigPadrao.mid(6)
                                                << QList<bool>{false, true, true} << 12;
        // A size the passage cannot be read at shows as the nearest readable one; 0 keeps the design's.
        for (auto [gravado, mostrado] : {std::pair{73, 72}, {72, 72}, {6, 6}, {5, 6}, {-32768, 6}, {0, 0}}) {
            QByteArray b = kConfigPadrao;
            qToLittleEndian(qint16(gravado), b.data() + 36);
            QTest::addRow("tamanho %d mostra %d", gravado, mostrado)
                << b << QList<bool>{true, true, true} << mostrado;
        }
    }
    void carregar()
    {
        BUSCAR(QByteArray, conteudo, QList<bool>, opcoes, int, tamanho);
        Ambiente amb;
        if (!conteudo.isNull())
            QVERIFY(amb.Gravar(kConfig, conteudo));
        amb.digita.PermiteBackspace = amb.digita.TravaNoErro = amb.digita.SomNoErro = false;
        ArquivoConfig::Efeito efeito;
        QString erro;
        QVERIFY(ArquivoConfig::Carregar(amb.digita, efeito, erro));
        QCOMPARE(efeito.AplicarAparencia, conteudo.size() >= 54);
        QCOMPARE((QList<bool>{amb.digita.PermiteBackspace, amb.digita.TravaNoErro, amb.digita.SomNoErro}), opcoes);
        QCOMPARE(efeito.TamanhoFonte, tamanho);
        QCOMPARE(efeito.NomeFonte == QStringLiteral("Courier New"),
                 efeito.AplicarAparencia && conteudo.mid(6, 30) == kConfigPadrao.mid(6, 30));
        if (conteudo.size() < 54)
            QCOMPARE(amb.digita.Config, ArquivoConfig::Padrao());
        else // the record as the file holds it, for the dialog to show
            QCOMPARE(amb.digita.Config.TamanhoFonte, qFromLittleEndian<qint16>(conteudo.constData() + 36));
        QCOMPARE(amb.Ler(kConfig), conteudo);
        QCOMPARE(amb.Existe(kConfig), !conteudo.isNull());
    }
};

DATILUX_TESTE_NUCLEO(TestArquivoConfig)
#include "TestArquivoConfig.moc"
