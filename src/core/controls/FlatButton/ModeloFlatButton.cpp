#include "controls/FlatButton/ModeloFlatButton.h"

#include "common/Formatos.h"

#include <algorithm>
#include <limits>

namespace {

qint16 Em16Bits(double valor)
{
    const int inteiro = ArredondarPar(valor);
    return qint16(
        std::clamp(inteiro, int(std::numeric_limits<qint16>::min()), int(std::numeric_limits<qint16>::max())));
}

} // namespace

FaceBotao ModeloFlatButton::Face(EstadoBotao estado, qint32 style, bool enabled)
{
    if (!enabled)
        return FaceBotao::EnFalsePic;
    switch (estado) {
    case EstadoBotao::Normal: return style != 0 ? FaceBotao::UpPicture : FaceBotao::BackGround;
    case EstadoBotao::Up: return FaceBotao::UpPicture;
    case EstadoBotao::Down: return FaceBotao::DownPicture;
    case EstadoBotao::High: return style != 0 ? FaceBotao::HighPicture : FaceBotao::UpPicture;
    }
    return FaceBotao::Nenhuma;
}

PosicaoBotao ModeloFlatButton::Centralizar(double w, double h, double larguraTexto, double alturaTexto,
                                           bool comFigura, double larguraFigura, double alturaFigura)
{
    PosicaoBotao p;
    double x;
    if (comFigura) {
        x = (w - (larguraFigura + larguraTexto)) / 2.0;
        p.moveImagem = true;
        p.imagemTop = (h - alturaFigura) / 2.0;
        p.imagemLeft = x;
        x = x + larguraFigura;
    } else {
        x = (w - larguraTexto) / 2.0;
    }
    const double y = (h - alturaTexto) / 2.0;
    p.captionLeft = Em16Bits(x);
    p.captionTop = Em16Bits(y);
    return p;
}

ModeloFlatButton::Reacao ModeloFlatButton::PonteiroDentro()
{
    // Nothing while a mouse button is held, nor again while the pointer stays over the button.
    if (pressionado_ || mouseSobre_)
        return {};
    mouseSobre_ = true;
    return {EstadoBotao::High, true};
}

ModeloFlatButton::Reacao ModeloFlatButton::PonteiroFora()
{
    // Leaving paints Normal even when the button has the focus.
    mouseSobre_ = false;
    return {EstadoBotao::Normal, false};
}

ModeloFlatButton::Reacao ModeloFlatButton::Pressionar()
{
    pressionado_ = true;
    return {EstadoBotao::Down, std::nullopt};
}

ModeloFlatButton::Reacao ModeloFlatButton::Soltar(bool dentro)
{
    pressionado_ = false;
    Reacao r{EstadoBotao::High, std::nullopt};
    if (dentro && !mouseSobre_) {
        mouseSobre_ = true;
        r.mouseOver = true;
    }
    return r;
}

bool ModeloFlatButton::PerdeFoco()
{
    const bool pinta = contaPerdeFoco_ == 0;
    if (contaPerdeFoco_ < std::numeric_limits<int>::max())
        ++contaPerdeFoco_;
    return pinta;
}

bool ModeloFlatButton::PintarDesabilitado()
{
    const bool bloquear = desabilitarArmado_;
    desabilitarArmado_ = true;
    return bloquear;
}
