#include "controls/BoxList/ModeloBoxList.h"

#include <QtCore/qnamespace.h>

#include <algorithm>
#include <stdexcept>

namespace {

const QString kFontePadrao = QStringLiteral("Arial");
constexpr int kTamanhoPadrao = 10;
constexpr int kLinhasPadrao = 10;
constexpr Cor kBackPadrao = RGB(0, 64, 0);
constexpr Cor kBoxPadrao = RGB(0, 0, 64);
constexpr Cor kTextPadrao = RGB(255, 255, 255);
constexpr Cor kBackSelPadrao = RGB(0, 0, 128);
constexpr Cor kForeSelPadrao = RGB(255, 255, 255);

// Before Activate only the first cell and title button exist, at their design places.
constexpr int kLarguraInicial = 1335;
constexpr int kAlturaInicial = 285;
constexpr int kTopoInicial = 240;

const BoxCell kCelulaVazia{};

bool SoEspacos(const QString &s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c == u' '; });
}

} // namespace

ModeloBoxList::ModeloBoxList()
{
    Config();
    celulas_.resize(1);
    CelulaVisivel &c0 = celulas_[0];
    c0.FontName = fontName_;
    c0.FontSize = qint16(fontSize_);
    marcadas_.assign(1, 0);
}

// --- Settings and columns ---------------------------------------------------------------------

void ModeloBoxList::Config(const QString &FontName, int FontSize, int QLin, Cor BackColor, Cor BoxColor,
                           Cor TextColor, Cor BackSel, Cor ForeSel)
{
    if (ativo_)
        throw std::logic_error("BoxList: Config after Activate");
    fontName_ = FontName.isEmpty() ? kFontePadrao : FontName;
    fontSize_ = FontSize > 0 ? FontSize : kTamanhoPadrao;
    qLin_ = QLin > 0 ? QLin : kLinhasPadrao;
    backColor_ = BackColor == kOmitida ? kBackPadrao : BackColor;
    boxColor_ = BoxColor == kOmitida ? kBoxPadrao : BoxColor;
    textColor_ = TextColor == kOmitida ? kTextPadrao : TextColor;
    backSel_ = BackSel == kOmitida ? kBackSelPadrao : BackSel;
    foreSel_ = ForeSel == kOmitida ? kForeSelPadrao : ForeSel;
    qCol_ = 0;
    totalWidth_ = 0;
    rowsHeight_ = 0;
    qReg_ = 0;
    colAdd_ = 0;
}

void ModeloBoxList::Title(const QString &S, int T, int Align)
{
    if (qCol_ >= kColunas)
        throw std::out_of_range("BoxList::Title: no more than 31 columns");
    if (ativo_)
        throw std::logic_error("BoxList: Title after Activate");
    BoxColumn &c = colunas_[qCol_];
    c.Title = S;
    c.Width = T * 120;
    c.Align = qint16(Align);
    ++qCol_;
}

void ModeloBoxList::SetChk(int Col)
{
    if (Col < 0 || Col >= kColunas)
        throw std::out_of_range("BoxList::SetChk: column outside 0..30");
    if (ativo_)
        throw std::logic_error("BoxList: SetChk after Activate");
    colunas_[Col].Chk = true;
    temChk_ = true;
}

void ModeloBoxList::Activate(bool OpcTitle, int alturaX, int larguraControle)
{
    if (ativo_)
        throw std::logic_error("BoxList: Activate called twice");
    Lote lote(*this);
    titulos_ = OpcTitle;
    t0_ = OpcTitle ? kTopoInicial : 0;
    h_ = alturaX + 15;
    larguraControle_ = larguraControle;

    totalWidth_ = 0;
    for (int c = 0; c < qCol_; ++c)
        totalWidth_ += colunas_[c].Width;
    rowsHeight_ = qCol_ > 0 ? qLin_ * (h_ + 15) : 0;

    // Every cell starts as a copy of the first one: default colours and font, no text.
    CelulaVisivel modelo;
    modelo.Back = boxColor_;
    modelo.Fore = textColor_;
    modelo.FontName = fontName_;
    modelo.FontSize = qint16(fontSize_);
    modelo.ChkBack = boxColor_;
    celulas_.assign(std::max(1, qCol_ * qLin_), modelo);
    marcadas_.assign(celulas_.size(), 0);
    listaMarcadas_.clear();
    // The first check box of each check column shows from the start; ProxChk points at it.
    for (int c = 0; c < qCol_; ++c) {
        proxChk_[c] = c * qLin_;
        if (temChk_ && colunas_[c].Chk)
            celulas_[c * qLin_].ChkVisivel = true;
    }
    for (int k = 0; k < int(celulas_.size()); ++k)
        Marcar(k);

    alturaControle_ = OpcTitle ? rowsHeight_ + 300 : rowsHeight_ + 15;
    hbarVisivel_ = larguraControle_ < totalWidth_ + 150;
    if (hbarVisivel_)
        alturaControle_ += 240;

    ativo_ = true;
    store_.assign(qCol_ + 1, {});
    linhas_ = 0;
    DimensionarLinhas(1);
    maximo_ = 0;
    rolagem_ = 0;
    rolagemMudou_ = true;
}

// --- Painting ---------------------------------------------------------------------------------

bool ModeloBoxList::CelulaExiste(int Col, int Lin) const
{
    if (Col < 0 || Lin < 0 || Lin >= qLin_ || (ativo_ && Col >= qCol_))
        return false;
    return Col * qLin_ + Lin < int(celulas_.size());
}

void ModeloBoxList::Marcar(int k)
{
    if (!marcadas_[k]) {
        marcadas_[k] = 1;
        listaMarcadas_.push_back(k);
    }
}

void ModeloBoxList::Publicar()
{
    std::vector<int> lista;
    lista.swap(listaMarcadas_);
    for (int k : lista)
        marcadas_[k] = 0;
    const bool rolagem = rolagemMudou_;
    rolagemMudou_ = false;
    if (!observador_)
        return;
    if (rolagem)
        observador_->RolagemMudou();
    if (!lista.empty())
        observador_->CelulasMudaram(lista);
}

// Assigns the attributes in the order an edit box takes them. A font name or size the cell cannot
// take ends the assignments there and leaves the cell in the default cell colour, which is how
// blank rows past the data (no font at all) come out.
void ModeloBoxList::Pintar(int k, QString S, Cor Back, Cor Fore, const QString &fontName, int fontSize,
                           bool negrito, int chk)
{
    const int col = k / qLin_;
    CelulaVisivel &c = celulas_[k];
    if (colunas_[col].Align == 0)
        S.prepend(u' ');
    c.Texto = std::move(S);
    c.Back = Back;
    c.Fore = Fore;
    if (fontName.isEmpty() || fontSize <= 0) {
        if (!fontName.isEmpty())
            c.FontName = fontName;
        c.Back = boxColor_;
        if (temChk_)
            c.ChkBack = boxColor_;
    } else {
        c.FontName = fontName;
        c.FontSize = qint16(fontSize);
        c.Negrito = negrito;
        if (temChk_) {
            c.ChkBack = Back;
            c.Chk = qint16(chk);
        }
    }
    Marcar(k);
}

void ModeloBoxList::PintarArmazenada(int Col, int Lin, int linha)
{
    const BoxCell *b = Armazenada(Col, linha);
    if (!b)
        b = &kCelulaVazia;
    Pintar(Col * qLin_ + Lin, b->S, b->Back, b->Fore, b->FontName, b->FontSize, b->Negrito, temChk_ ? b->Chk : 0);
}

void ModeloBoxList::Celula(int Col, int Lin, QString S, Cor Back, Cor Fore, const QString &FontName, int FontSize,
                           bool Negrito, int Chk)
{
    if (!CelulaExiste(Col, Lin))
        throw std::out_of_range("BoxList::Celula: no such cell");
    Lote lote(*this);
    Pintar(Col * qLin_ + Lin, std::move(S), Back, Fore, FontName, FontSize, Negrito, Chk);
}

void ModeloBoxList::SelBox(int Lin)
{
    Lote lote(*this);
    const int r = rolagem_ + linSel_;
    for (int c = 0; c < qCol_; ++c) {
        // Give the previous selection its own colours back.
        const BoxCell *b = Armazenada(c, r);
        if (b && CelulaExiste(c, linSel_))
            Pintar(c * qLin_ + linSel_, b->S, b->Back, b->Fore, b->FontName, b->FontSize, b->Negrito,
                   temChk_ ? b->Chk : 0);
        if (!CelulaExiste(c, Lin))
            continue;
        const int k = c * qLin_ + Lin;
        CelulaVisivel &cel = celulas_[k];
        cel.Back = backSel_;
        cel.Fore = foreSel_;
        if (temChk_)
            cel.ChkBack = backSel_;
        Marcar(k);
        argSel_[c] = colunas_[c].Align == 0 ? cel.Texto.mid(1) : cel.Texto;
        if (temChk_)
            chkSel_[c] = cel.Chk;
    }
    if (qCol_ < kColunas) {
        argSel_[qCol_].clear();
        if (temChk_)
            chkSel_[qCol_] = 0;
    }
    indiceSel_ = rolagem_ + Lin;
}

void ModeloBoxList::LimpaCelulas()
{
    if (!ativo_)
        return;
    Lote lote(*this);
    for (int k = 0; k < qCol_ * qLin_; ++k) {
        celulas_[k].Texto.clear();
        if (temChk_)
            celulas_[k].Chk = 0;
        Marcar(k);
    }
}

void ModeloBoxList::ListBoxStr()
{
    if (qReg_ == 0 || !ativo_)
        return;
    Lote lote(*this);
    LimpaCelulas();
    for (int l = 0; l < qLin_; ++l)
        for (int c = 0; c < qCol_; ++c)
            PintarArmazenada(c, l, rolagem_ + l);
}

bool ModeloBoxList::TestaLinhaVazia(int Lin) const
{
    for (int c = 0; c < qCol_; ++c) {
        if (!CelulaExiste(c, Lin))
            throw std::out_of_range("BoxList::TestaLinhaVazia: no such line");
        if (!SoEspacos(celulas_[c * qLin_ + Lin].Texto))
            return false;
    }
    return true;
}

// --- Row store --------------------------------------------------------------------------------

const BoxCell *ModeloBoxList::Armazenada(int Col, int Lin) const
{
    if (Col < 0 || Col >= int(store_.size()) || Lin < 0 || Lin >= linhas_)
        return nullptr;
    return &store_[Col][Lin];
}

void ModeloBoxList::DimensionarLinhas(int ultima)
{
    linhas_ = ultima + 1;
    for (auto &coluna : store_)
        coluna.resize(linhas_);
}

void ModeloBoxList::Add(const QString &S, Cor Back, Cor Fore, const QString &FontName, int FontSize, bool Negrito,
                        int Chk)
{
    if (!ativo_)
        throw std::out_of_range("BoxList::Add before Activate");
    if (colAdd_ > qCol_)
        throw std::out_of_range("BoxList::Add past the last column");
    Lote lote(*this);
    BoxCell &b = store_[colAdd_][qReg_];
    b.S = S;
    if (colAdd_ < qCol_ && colunas_[colAdd_].Chk && proxChk_[colAdd_] < (colAdd_ + 1) * qLin_
        && proxChk_[colAdd_] < int(celulas_.size())) {
        celulas_[proxChk_[colAdd_]].ChkVisivel = true;
        Marcar(proxChk_[colAdd_]);
        ++proxChk_[colAdd_];
    }
    b.Back = Back == kOmitida ? boxColor_ : Back;
    b.Fore = Fore == kOmitida ? textColor_ : Fore;
    b.FontName = FontName.isEmpty() ? fontName_ : FontName;
    b.FontSize = qint16(FontSize != 0 ? FontSize : fontSize_);
    b.Negrito = Negrito;
    if (temChk_)
        b.Chk = qint16(Chk);
    ++colAdd_;
}

void ModeloBoxList::BoxNew()
{
    Lote lote(*this);
    BoxNew2();
    DefinirMaximo(maximo_ + 1);
    ListBoxStr();
}

void ModeloBoxList::BoxNew2()
{
    if (!ativo_)
        throw std::out_of_range("BoxList::BoxNew before Activate");
    ++qReg_;
    colAdd_ = 0;
    DimensionarLinhas(qReg_ + qLin_);
}

void ModeloBoxList::AddEnd()
{
    Lote lote(*this);
    DefinirMaximo(qReg_);
    ListBoxStr();
    DefinirMaximo(maximo_ - std::min(qReg_, qLin_));
}

void ModeloBoxList::Clear()
{
    Lote lote(*this);
    const int r = rolagem_ + linSel_;
    for (int c = 0; c < qCol_; ++c)
        if (Armazenada(c, r) && CelulaExiste(c, linSel_))
            PintarArmazenada(c, linSel_, r);
    for (int c = 0; c < qCol_; ++c)
        proxChk_[c] = c * qLin_;
    LimpaCelulas();
    if (ativo_) {
        for (auto &coluna : store_)
            coluna.clear();
        linhas_ = 0;
        DimensionarLinhas(1);
    }
    qReg_ = 0;
    colAdd_ = 0;
    DefinirMaximo(0);
    Rolar(0);
}

bool ModeloBoxList::Selected(int X)
{
    Lote lote(*this);
    Rolar(0);
    if (X < qLin_) {
        SelBox(X);
        linSel_ = X;
        return true;
    }
    if (!Rolar(X - qLin_ + 1))
        return false;
    SelBox(qLin_ - 1);
    linSel_ = qLin_ - 1;
    return true;
}

QString ModeloBoxList::Arg(int Indice) const
{
    if (Indice < 0 || Indice >= kColunas)
        throw std::out_of_range("BoxList::Arg: index outside 0..30");
    return argSel_[Indice];
}

int ModeloBoxList::ArgChk(int Indice) const
{
    if (Indice < 0 || Indice >= kColunas)
        throw std::out_of_range("BoxList::ArgChk: index outside 0..30");
    return chkSel_[Indice];
}

QString ModeloBoxList::List(int Col, int Lin) const
{
    const BoxCell *b = Armazenada(Col, Lin);
    return b ? b->S : QString();
}

int ModeloBoxList::ValChk(int Col, int Lin) const
{
    const BoxCell *b = Armazenada(Col, Lin);
    return temChk_ && b ? b->Chk : 0;
}

void ModeloBoxList::DeleteRegistroAtual()
{
    qint16 codigo = kDelete;
    qint16 shift = 0;
    TeclaNaCelula(linSel_, codigo, shift);
}

// --- Scrolling --------------------------------------------------------------------------------

bool ModeloBoxList::Rolar(int valor)
{
    if (valor < 0 || valor > maximo_)
        return false;
    if (valor != rolagem_) {
        Lote lote(*this);
        rolagem_ = valor;
        rolagemMudou_ = true;
        ListBoxStr();
    }
    return true;
}

// The maximum never goes below 0; a position left above it follows it down, which repaints.
void ModeloBoxList::DefinirMaximo(int maximo)
{
    maximo_ = std::max(0, maximo);
    rolagemMudou_ = true;
    if (rolagem_ > maximo_)
        Rolar(maximo_);
}

// --- Focus, keys and clicks -------------------------------------------------------------------

void ModeloBoxList::PedirFoco(int k)
{
    if (k < 0 || k >= int(celulas_.size()) || !observador_)
        return;
    Publicar();
    observador_->FocarCelula(k);
}

void ModeloBoxList::FocoNaCelula(int Index)
{
    if (Index < 0 || Index >= int(celulas_.size()))
        return;
    Lote lote(*this);
    bool vazia = false;
    try {
        vazia = TestaLinhaVazia(Index % qLin_);
    } catch (const std::out_of_range &) {}
    if (vazia) {
        // A blank line never holds the focus. The depth guard stops a ping-pong when the previous
        // cell's line has become blank as well.
        if (Index != celAnterior_ && profundidadeFoco_ < 2) {
            ++profundidadeFoco_;
            PedirFoco(celAnterior_);
            --profundidadeFoco_;
        }
        return;
    }
    celAnterior_ = Index;
    linAtual_ = Index % qLin_;
    SelBox(linAtual_);
    linSel_ = linAtual_;
}

void ModeloBoxList::TeclaNaCelula(int Index, qint16 &KeyCode, qint16 &Shift)
{
    Lote lote(*this);
    if (hbarVisivel_ && (KeyCode == kLeft || KeyCode == kRight) && observador_) {
        Publicar();
        observador_->FocarHBar();
    }
    if (KeyCode != kUp && KeyCode != kPageUp) {
        try {
            if (TestaLinhaVazia(Index % qLin_))
                return;
        } catch (const std::out_of_range &) {}
    }

    Publicar();
    if (observador_)
        observador_->LevantarKeyDown(KeyCode, Shift);

    switch (KeyCode) {
    case kDelete:
        Deletar();
        KeyCode = 0;
        break;
    case kDown:
        if (linAtual_ < qLin_ - 1)
            PedirFoco(Index + 1);
        else if (rolagem_ < qReg_)
            Rolar(rolagem_ + 1);
        KeyCode = 0;
        break;
    case kUp:
        if (linAtual_ > 0)
            PedirFoco(Index - 1);
        else if (rolagem_ > 0)
            Rolar(rolagem_ - 1);
        KeyCode = 0;
        break;
    case kPageDown:
        if (rolagem_ + qLin_ < qReg_)
            Rolar(rolagem_ + qLin_);
        KeyCode = 0;
        break;
    case kPageUp:
        if (rolagem_ - qLin_ >= 0)
            Rolar(rolagem_ - qLin_);
        KeyCode = 0;
        break;
    default: break;
    }

    Publicar();
    if (observador_)
        observador_->LevantarKeyDown(KeyCode, Shift);
}

void ModeloBoxList::TeclaSoltaNaCelula(int /*Index*/, qint16 KeyCode)
{
    Lote lote(*this);
    // Scrolling repainted the lines without the highlight; put it back on the focused line.
    if (KeyCode == kDown && linAtual_ == qLin_ - 1)
        SelBox(qLin_ - 1);
    else if (KeyCode == kUp && linAtual_ == 0)
        SelBox(0);
    else if (KeyCode == kPageUp || KeyCode == kPageDown)
        SelBox(linAtual_);
}

// Deletes row IndiceSel: the rows below move up one place, the old last row is blanked (it keeps
// its font), and the line under the focus shows, selected, the row that moved into it.
void ModeloBoxList::Deletar()
{
    const int r0 = indiceSel_;
    if (r0 < 0 || r0 >= qReg_)
        return;
    Lote lote(*this);
    for (int c = 0; c < qCol_; ++c) {
        auto &coluna = store_[c];
        for (int i = r0; i < qReg_ - 1; ++i)
            coluna[i] = coluna[i + 1];
    }
    const int r = qReg_ - 1;
    for (int c = 0; c < qCol_; ++c) {
        BoxCell &b = store_[c][r];
        b.S.clear();
        b.Back = boxColor_;
        b.Fore = textColor_;
        if (temChk_)
            b.Chk = 0;
    }
    --qReg_;
    DefinirMaximo(maximo_ - 1);
    ListBoxStr();
    SelBox(linAtual_);
}

void ModeloBoxList::ChkSolto(int Index, int valor)
{
    if (Index < 0 || Index >= int(celulas_.size()))
        return;
    celulas_[Index].Chk = qint16(valor);
    const int col = Index / qLin_;
    const int lin = Index - col * qLin_;
    if (!temChk_ || !Armazenada(col, rolagem_ + lin))
        return;
    store_[col][rolagem_ + lin].Chk = qint16(valor);
}

void ModeloBoxList::TextoEditado(int Index, const QString &texto)
{
    if (Index >= 0 && Index < int(celulas_.size()))
        celulas_[Index].Texto = texto;
}

void ModeloBoxList::ChkAlterado(int Index, int valor)
{
    if (Index >= 0 && Index < int(celulas_.size()))
        celulas_[Index].Chk = qint16(valor);
}

// --- Geometry ---------------------------------------------------------------------------------

int ModeloBoxList::EsquerdaColuna(int C) const
{
    int esquerda = 0;
    for (int c = 0; c < C && c < kColunas; ++c)
        esquerda += colunas_[c].Width;
    return esquerda;
}

Retangulo ModeloBoxList::GeoCelula(int k) const
{
    if (!ativo_)
        return {0, kTopoInicial, kLarguraInicial - 15, kAlturaInicial, true};
    const int c = ColunaDaCelula(k);
    return {EsquerdaColuna(c), TopoLinha(LinhaDaCelula(k)), colunas_[c].Width - 15, h_, true};
}

Retangulo ModeloBoxList::GeoChk(int k) const
{
    const Retangulo cel = GeoCelula(k);
    const bool visivel = temChk_ && k < int(celulas_.size()) && celulas_[k].ChkVisivel;
    return {cel.Left + 50, cel.Top + (cel.Height - kLado) / 2, kLado, kLado, visivel};
}

Retangulo ModeloBoxList::GeoTitulo(int C) const
{
    if (!ativo_)
        return {0, 0, kLarguraInicial, kAlturaTitulo, C == 0};
    return {EsquerdaColuna(C), 0, colunas_[C].Width, kAlturaTitulo, titulos_ && C < qCol_};
}

Retangulo ModeloBoxList::GeoVBar() const
{
    const int altura = titulos_ ? rowsHeight_ + 235 : rowsHeight_ - 50;
    return {larguraControle_ - 280, 30, kLarguraBarra, altura, ativo_};
}

Retangulo ModeloBoxList::GeoHBar() const
{
    return {30, alturaControle_ - 280, larguraControle_ - 60, kLarguraBarra, hbarVisivel_};
}
