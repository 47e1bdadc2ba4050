#pragma once

// The grid list without its widgets: settings, columns, the row store, the shown state of every
// visible cell, the selection and the vertical scroll position, with every operation's effect on
// them. The widget BoxList is a thin layer that mirrors this state into edit boxes, check boxes and
// scroll bars and feeds focus, keys and clicks back in.

#include "common/Cores.h"

#include <QString>

#include <array>
#include <vector>

// One stored cell of the row store.
struct BoxCell {
    QString S;
    Cor Back = 0;
    Cor Fore = 0;
    QString FontName;
    qint16 FontSize = 0;
    bool Negrito = false;
    qint16 Chk = 0;
};

// One column, as Title defines it.
struct BoxColumn {
    QString Title;
    int Width = 0; // twips
    qint16 Align = 0; // 0 left, 1 right, 2 centre
    bool Chk = false;
};

// What one visible cell shows right now: its edit box and the check box in front of it.
struct CelulaVisivel {
    QString Texto;
    Cor Back = 0;
    Cor Fore = 0;
    QString FontName;
    qint16 FontSize = 0;
    bool Negrito = false;
    qint16 Chk = 0;
    Cor ChkBack = 0;
    bool ChkVisivel = false;
};

// A rectangle in twips.
struct Retangulo {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visivel = true;
    friend bool operator==(const Retangulo &, const Retangulo &) = default;
};

// What the model asks of whoever shows it. Every call comes after the model's state is complete
// for the step that caused it, so the receiver may read anything back.
class BoxListObservador {
public:
    virtual ~BoxListObservador() = default;
    // The shown state of these cells changed (indices of TxtList / ChkList).
    virtual void CelulasMudaram(const std::vector<int> &indices) = 0;
    // The vertical scroll position or its maximum changed.
    virtual void RolagemMudou() = 0;
    // The container's KeyDown event; it may change both codes.
    virtual void LevantarKeyDown(qint16 &KeyCode, qint16 &Shift) = 0;
    // Cell k should take the focus. The receiver reports the arrival with FocoNaCelula.
    virtual void FocarCelula(int k) = 0;
    virtual void FocarHBar() = 0;
};

class ModeloBoxList {
public:
    static constexpr int kColunas = 31;
    // An omitted colour argument.
    static constexpr Cor kOmitida = 0xFFFFFFFFu;

    static constexpr int kAlturaTitulo = 260;
    static constexpr int kLarguraBarra = 255;
    static constexpr int kLado = 200; // check boxes are square
    static constexpr int kCanvasLargura = 20000;
    static constexpr int kCanvasAltura = 15000;

    // Key codes of the keys the grid handles (the platform's virtual key codes).
    enum Tecla : qint16 {
        kPageUp = 33,
        kPageDown = 34,
        kLeft = 37,
        kUp = 38,
        kRight = 39,
        kDown = 40,
        kDelete = 46,
    };
    ModeloBoxList();

    // Not owned; may be null. Notifications stop while it is null.
    void DefinirObservador(BoxListObservador *observador) { observador_ = observador; }

    // --- Programming interface ---------------------------------------------------------------
    // Empty font name, sizes or line counts below 1 and kOmitida colours take the defaults.
    void Config(const QString &FontName = QString(), int FontSize = 0, int QLin = 0, Cor BackColor = kOmitida,
                Cor BoxColor = kOmitida, Cor TextColor = kOmitida, Cor BackSel = kOmitida, Cor ForeSel = kOmitida);
    void Title(const QString &S, int T, int Align = 0);
    void SetChk(int Col);
    // alturaX: height of the text "X" in the cell font; larguraControle: the control's width.
    void Activate(bool OpcTitle, int alturaX, int larguraControle);
    void Celula(int Col, int Lin, QString S, Cor Back, Cor Fore, const QString &FontName, int FontSize,
                bool Negrito, int Chk);
    void SelBox(int Lin);
    void Add(const QString &S, Cor Back = kOmitida, Cor Fore = kOmitida, const QString &FontName = QString(),
             int FontSize = 0, bool Negrito = false, int Chk = 0);
    void BoxNew();
    void BoxNew2();
    void AddEnd();
    void ListBoxStr();
    void Clear();
    void LimpaCelulas();
    // False when the row cannot be brought into view: the caller shows "Invalid index!".
    bool Selected(int X);
    QString Arg(int Indice) const;
    int ArgChk(int Indice) const;
    int ListCount() const { return qReg_; }
    int ListIndex() const { return indiceSel_; }
    QString List(int Col, int Lin) const;
    int ValChk(int Col, int Lin) const;
    void DeleteRegistroAtual();
    bool TestaLinhaVazia(int Lin) const;

    // --- Vertical scrolling (the value of VBar) ------------------------------------------------
    int Rolagem() const { return rolagem_; }
    int RolagemMaxima() const { return maximo_; }
    // A new scroll position, from the scroll bar or from an operation. Refused (false, nothing
    // changes) outside 0..maximum; a change repaints the visible lines before it returns.
    bool Rolar(int valor);

    // --- The user (handlers of the child widgets) -----------------------------------------------
    void FocoNaCelula(int Index);
    void TeclaNaCelula(int Index, qint16 &KeyCode, qint16 &Shift);
    void TeclaSoltaNaCelula(int Index, qint16 KeyCode);
    // The mouse button was released over check box Index, which now shows `valor`.
    void ChkSolto(int Index, int valor);
    // Changes made by the user in the widgets themselves: the shown state only.
    void TextoEditado(int Index, const QString &texto);
    void ChkAlterado(int Index, int valor);

    // --- State --------------------------------------------------------------------------------
    const QString &FontName() const { return fontName_; }
    int FontSize() const { return fontSize_; }
    int QLin() const { return qLin_; }
    Cor BackColor() const { return backColor_; }
    Cor BoxColor() const { return boxColor_; }
    Cor TextColor() const { return textColor_; }
    Cor BackSel() const { return backSel_; }
    Cor ForeSel() const { return foreSel_; }
    int QCol() const { return qCol_; }
    bool TemChk() const { return temChk_; }
    int TotalWidth() const { return totalWidth_; }
    int RowsHeight() const { return rowsHeight_; }
    int ColAdd() const { return colAdd_; }
    int LinSel() const { return linSel_; }
    int CelAnterior() const { return celAnterior_; }
    int IndiceSel() const { return indiceSel_; }
    int ProxChk(int Col) const { return proxChk_.at(Col); }
    const BoxColumn &Coluna(int Col) const { return colunas_.at(Col); }
    bool Ativo() const { return ativo_; }

    // A stored cell; null outside the store.
    const BoxCell *Armazenada(int Col, int Lin) const;

    // Number of cells (QCol × QLin once active; cell 0 exists from the start).
    int NumeroCelulas() const { return int(celulas_.size()); }
    const CelulaVisivel &Exibida(int k) const { return celulas_.at(k); }
    int ColunaDaCelula(int k) const { return k / qLin_; }
    int LinhaDaCelula(int k) const { return k % qLin_; }

    // --- Geometry in twips (fixed by Activate) ------------------------------------------------
    int AlturaCelula() const { return h_; }
    int TopoLinha(int L) const { return t0_ + L * (h_ + 15); }
    int EsquerdaColuna(int C) const;
    Retangulo GeoCelula(int k) const;
    Retangulo GeoChk(int k) const;
    Retangulo GeoTitulo(int C) const;
    Retangulo GeoVBar() const;
    Retangulo GeoHBar() const;
    int LarguraControle() const { return larguraControle_; }
    int AlturaControle() const { return alturaControle_; }
    bool HBarVisivel() const { return hbarVisivel_; }

private:
    // Groups the notifications of one operation: the observer hears once, when the outermost
    // operation is done (or earlier, before an event or a focus request leaves the model).
    class Lote {
    public:
        explicit Lote(ModeloBoxList &m)
            : modelo_(m)
        {
            ++modelo_.lote_;
        }
        ~Lote()
        {
            if (--modelo_.lote_ == 0)
                modelo_.Publicar();
        }
        Lote(const Lote &) = delete;
        Lote &operator=(const Lote &) = delete;

    private:
        ModeloBoxList &modelo_;
    };

    bool CelulaExiste(int Col, int Lin) const;
    void Pintar(int k, QString S, Cor Back, Cor Fore, const QString &fontName, int fontSize, bool negrito,
                int chk);
    void PintarArmazenada(int Col, int Lin, int linha);
    void Marcar(int k);
    void Publicar();
    void DimensionarLinhas(int ultima);
    void DefinirMaximo(int maximo);
    void PedirFoco(int k);
    void Deletar();

    BoxListObservador *observador_ = nullptr;
    int lote_ = 0;
    std::vector<char> marcadas_;
    std::vector<int> listaMarcadas_;
    bool rolagemMudou_ = false;

    QString fontName_;
    int fontSize_ = 10;
    int qLin_ = 10;
    Cor backColor_ = 0;
    Cor boxColor_ = 0;
    Cor textColor_ = 0;
    Cor backSel_ = 0;
    Cor foreSel_ = 0;

    std::array<BoxColumn, kColunas> colunas_{};
    int qCol_ = 0;
    bool temChk_ = false;
    int totalWidth_ = 0;
    int rowsHeight_ = 0;

    // Row store, column index first: columns 0..QCol, rows 0..linhas_ - 1. The vectors grow
    // geometrically underneath, so committing rows one by one costs no copying of the store.
    std::vector<std::vector<BoxCell>> store_;
    int linhas_ = 0;
    int qReg_ = 0;
    int colAdd_ = 0;
    std::array<int, kColunas> proxChk_{};

    std::vector<CelulaVisivel> celulas_;

    int linSel_ = 0;
    int linAtual_ = 0;
    int celAnterior_ = 0;
    int indiceSel_ = 0;
    std::array<QString, kColunas> argSel_;
    std::array<int, kColunas> chkSel_{};

    int rolagem_ = 0;
    int maximo_ = 0;

    bool ativo_ = false;
    bool titulos_ = true;
    int h_ = 285;
    int t0_ = 240;
    int larguraControle_ = 0;
    int alturaControle_ = 0;
    bool hbarVisivel_ = false;
    int profundidadeFoco_ = 0;
};
