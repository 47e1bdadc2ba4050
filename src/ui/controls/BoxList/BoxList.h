#pragma once

#include "controls/BoxList/ModeloBoxList.h"

#include <QPointer>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include <vector>

class QCheckBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QScrollBar;

// The grid list: rows and columns of text cells with a fixed number of visible lines, optional
// column titles and check boxes, scrolling, keyboard selection and row deletion.
//
// The container fills it row by row and reads the selected row back:
//   Config(this, ...); Title(...) per column; SetChk(...) for check columns; Activate(false);
//   Clear(); per row Add(...) per column and BoxNew2(); then AddEnd(); Selected(row);
//   on Click / KeyUp: Arg(0..QCol-1), ArgChk(...), ListIndex(), ListCount().
// Index errors are std::out_of_range exceptions (Title past 31 columns, SetChk / Arg / ArgChk outside
// 0..30, Add past the spare column or before Activate, Celula / TestaLinhaVazia on a cell that does
// not exist); the state before the call stays. Config, Title and SetChk after Activate, and a
// second Activate, are std::logic_error.
class BoxList : public QWidget, private BoxListObservador {
    Q_OBJECT
    Q_PROPERTY(QString FontName READ FontName)
    Q_PROPERTY(int FontSize READ FontSize)
    Q_PROPERTY(int QLin READ QLin)
    Q_PROPERTY(quint32 BackColor READ BackColor)
    Q_PROPERTY(quint32 BoxColor READ BoxColor)
    Q_PROPERTY(quint32 TextColor READ TextColor)
    Q_PROPERTY(quint32 BackSel READ BackSel)
    Q_PROPERTY(quint32 ForeSel READ ForeSel)
    Q_PROPERTY(int QCol READ QCol STORED false)

public:
    static constexpr Cor kOmitida = ModeloBoxList::kOmitida;

    explicit BoxList(QWidget *pai = nullptr);
    ~BoxList() override;

    // --- Programming interface, in the order the container uses it -----------------------------
    // Obj is kept for the control's lifetime and not otherwise used. Colours of -1 (kOmitida),
    // an empty font name and sizes of 0 take the defaults written here.
    void Config(QObject *Obj, const QString &FontName = QStringLiteral("Arial"), int FontSize = 10, int QLin = 10,
                Cor BackColor = RGB(0, 64, 0), Cor BoxColor = RGB(0, 0, 64), Cor TextColor = RGB(255, 255, 255),
                Cor BackSel = RGB(0, 0, 128), Cor ForeSel = RGB(255, 255, 255));
    // Width T in units of 120 twips; Align 0 left, 1 right, 2 centre. At most 31 columns.
    void Title(const QString &S, int T, int Align = 0);
    void SetChk(int Col);
    // Builds the cells, titles, check boxes and scroll bars and sets the control's height.
    // Call once, after the control has its width.
    void Activate(bool OpcTitle);
    void Celula(int Col, int Lin, QString S, Cor Back, Cor Fore, const QString &FontName, int FontSize,
                bool Negrito, int Chk);
    void SelBox(int Lin);
    // Back / Fore of -1 take BoxColor / TextColor (0 is black); an empty font name and size 0 the
    // Config font.
    void Add(const QString &S, Cor Back = kOmitida, Cor Fore = kOmitida, const QString &FontName = QString(),
             int FontSize = 0, bool Negrito = false, int Chk = 0);
    void BoxNew();
    void BoxNew2();
    void AddEnd();
    void ListBoxStr();
    void Clear();
    // Selects row X, scrolling it onto the last visible line when needed; a row that cannot be
    // shown gives the message "Invalid index!".
    void Selected(int X);
    QString Arg(int Indice) const;
    int ArgChk(int Indice) const;
    int ListCount() const;
    int ListIndex() const;
    // Stored text / check value of column Col, row Lin (a row number, not a visible line).
    QString List(int Col, int Lin) const;
    int ValChk(int Col, int Lin) const;
    // Deletes the selected row as the Delete key does, KeyDown events included.
    void DeleteRegistroAtual();
    bool TestaLinhaVazia(int Lin) const;

    // --- Settings (read-only properties) ---------------------------------------------------------
    QString FontName() const { return modelo_.FontName(); }
    int FontSize() const { return modelo_.FontSize(); }
    int QLin() const { return modelo_.QLin(); }
    quint32 BackColor() const { return modelo_.BackColor(); }
    quint32 BoxColor() const { return modelo_.BoxColor(); }
    quint32 TextColor() const { return modelo_.TextColor(); }
    quint32 BackSel() const { return modelo_.BackSel(); }
    quint32 ForeSel() const { return modelo_.ForeSel(); }
    int QCol() const { return modelo_.QCol(); }
    QObject *Dono() const { return dono_; }

    // The Config settings in a window design: only values other than the defaults are stored,
    // in the order of OrdemPropriedades(). Carregar is Config with the stored values (so it comes
    // before Title, like Config); an empty map gives the defaults.
    static QStringList OrdemPropriedades();
    QVariantMap Salvar() const;
    void Carregar(const QVariantMap &valores);

    // --- Child widgets and state, for containers and tests ---------------------------------------
    QLineEdit *TxtList(int k) const;
    QCheckBox *ChkList(int k) const;
    QPushButton *BtnTitle(int C) const;
    QScrollBar *VBar() const { return vbar_; }
    QScrollBar *HBar() const { return hbar_; }
    QWidget *PicBorda() const { return picBorda_; }
    QWidget *PicBox() const { return picBox_; }
    const ModeloBoxList &Modelo() const { return modelo_; }

    QSize sizeHint() const override;

signals:
    void Click();
    void DblClick();
    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    void KeyUp(qint16 &KeyCode, qint16 &Shift);
    void KeyPress(qint16 &KeyAscii);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override;

private:
    class CelulaEdit;
    class CaixaChk;
    friend class CelulaEdit;
    friend class CaixaChk;

    // BoxListObservador
    void CelulasMudaram(const std::vector<int> &indices) override;
    void RolagemMudou() override;
    void LevantarKeyDown(qint16 &KeyCode, qint16 &Shift) override { emit KeyDown(KeyCode, Shift); }
    void FocarCelula(int k) override;
    void FocarHBar() override;

    // From the cells and check boxes.
    void CelulaFocada(int k);
    void TeclaNaCelula(int k, QKeyEvent *event);
    void TeclaSoltaNaCelula(int k, QKeyEvent *event);
    void ChkSolto(int k);

    CelulaEdit *NovaCelula(int k);
    CaixaChk *NovaCaixa(int k);
    void Aplicar(int k);
    void Posicionar(QWidget *w, const Retangulo &r);
    void AtualizarParadaDeTab();

    ModeloBoxList modelo_;
    QPointer<QObject> dono_;

    QWidget *picBorda_ = nullptr;
    QWidget *picBox_ = nullptr;
    QScrollBar *vbar_ = nullptr;
    QScrollBar *hbar_ = nullptr;
    std::vector<QPushButton *> titulos_;
    std::vector<CelulaEdit *> txt_;
    std::vector<CaixaChk *> chk_;

    // What each cell's widgets were last given, so that a repaint only touches what changed.
    struct Aplicado {
        Cor back = 0xFFFFFFFFu;
        Cor fore = 0xFFFFFFFFu;
        Cor chkBack = 0xFFFFFFFFu;
        QString fontName;
        int fontSize = -1;
        bool negrito = false;
    };
    std::vector<Aplicado> aplicado_;
    int paradaDeTab_ = -1;
};
