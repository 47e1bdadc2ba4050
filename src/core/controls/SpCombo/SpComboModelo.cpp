#include "controls/SpCombo/SpComboModelo.h"

#include "common/Cp1252.h"
#include "common/TiraAcentos.h"

#include <QtCore/qnamespace.h>

namespace SpComboModelo {

QString Maiusculas(const QString &s)
{
    QString r = s;
    for (QChar &c : r)
        c = c.toUpper();
    return r;
}

int BuscaIncremental(const QStringList &itens, const QString &conteudo, QChar c)
{
    const QString procurado = Maiusculas(TiraAcentos(conteudo + c));
    const qsizetype n = conteudo.size() + 1;
    const int total = int(qMin<qsizetype>(itens.size(), kMaxItensBusca));
    for (int i = 0; i < total; ++i) {
        if (Maiusculas(TiraAcentos(itens.at(i).left(n))) == procurado)
            return i;
    }
    return int(itens.size());
}

bool AbreComCaractere(qint16 KeyAscii)
{
    return (KeyAscii >= 'a' && KeyAscii <= 'z') || (KeyAscii >= 'A' && KeyAscii <= 'Z')
           || (KeyAscii >= '0' && KeyAscii <= '9');
}

qint16 CodigoCaractere(QChar c)
{
    const int byte = Cp1252::paraByte(c);
    return byte >= 0 ? qint16(byte) : qint16(c.unicode());
}

QChar Caractere(qint16 KeyAscii)
{
    const quint16 codigo = quint16(KeyAscii);
    return codigo < 256 ? Cp1252::paraUnicode((unsigned char)codigo) : QChar(char16_t(codigo));
}

Geometria CalcularGeometria(int largura, int altura, int listHeight, bool defButton)
{
    Geometria g;
    g.largura = largura;
    g.altura = (!defButton && altura < kAlturaMinima) ? kAlturaMinima : altura;
    g.setaEsquerda = largura - kSetaLargura - kSetaRecuo;
    g.listaTopo = g.altura + kVaoLista;
    g.alturaAberta = qMax(0, listHeight) + g.altura + kVaoLista;
    return g;
}

Habilitacao RegraEnabled(bool enabled, bool &desabilitarArmado)
{
    if (enabled)
        return Habilitacao::Habilitar;
    const bool desabilitar = desabilitarArmado;
    desabilitarArmado = true;
    return desabilitar ? Habilitacao::Desabilitar : Habilitacao::Manter;
}

} // namespace SpComboModelo
