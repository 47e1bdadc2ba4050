#include "app/Acessibilidade.h"

#include "app/CaixaDigitacao.h"
#include "app/TextoPassagem.h"
#include "controls/BoxList/BoxList.h"
#include "controls/FlatButton/FlatButton.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPushButton>

#include <functional>

namespace {

// A flat button: role, caption, tip, the disabled state, and the press action.
class BotaoAcessivel : public QAccessibleWidget {
public:
    explicit BotaoAcessivel(FlatButton *b)
        : QAccessibleWidget(b, QAccessible::Button)
    {
        addControllingSignal(QStringLiteral("Click()"));
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *b = static_cast<const FlatButton *>(object());
        if (t == QAccessible::Name && b->accessibleName().isEmpty())
            return b->Caption().trimmed();
        if (t == QAccessible::Description && b->accessibleDescription().isEmpty())
            return b->toolTip();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (!static_cast<const FlatButton *>(object())->Enabled())
            s.disabled = true;
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &acao) override
    {
        auto *b = static_cast<FlatButton *>(object());
        if (acao == pressAction() && b->Enabled())
            emit b->Click();
    }
};

// A widget with a text and a caret of its own painting, read through two functions.
class TextoAcessivel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    TextoAcessivel(QWidget *w, QAccessible::Role papel, std::function<QString()> texto, std::function<int()> caret)
        : QAccessibleWidget(w, papel)
        , texto_(std::move(texto))
        , caret_(std::move(caret))
    {}

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                               : QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return texto_();
        return QAccessibleWidget::text(t);
    }

    // QAccessibleTextInterface
    void selection(int, int *inicio, int *fim) const override { *inicio = *fim = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return caret_(); }
    void setCursorPosition(int) override {}
    QString text(int inicio, int fim) const override { return texto_().mid(inicio, fim - inicio); }
    int characterCount() const override { return int(texto_().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *inicio, int *fim) const override
    {
        *inicio = *fim = 0;
        return {};
    }

private:
    std::function<QString()> texto_;
    std::function<int()> caret_;
};

// The register's grid as a table: its stored rows (not just the visible lines) and columns, each
// cell with its text, the columns described by their titles, the selected row as selected.
class TabelaAcessivel;

class CelulaAcessivel : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CelulaAcessivel(TabelaAcessivel *tabela, int linha, int coluna)
        : tabela_(tabela)
        , linha_(linha)
        , coluna_(coluna)
    {}

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.selectable = true;
        s.selected = isSelected();
        s.readOnly = true;
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return coluna_; }
    int rowIndex() const override { return linha_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

private:
    TabelaAcessivel *tabela_;
    int linha_;
    int coluna_;
};

class TabelaAcessivel : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TabelaAcessivel(BoxList *grade)
        : QAccessibleWidget(grade, QAccessible::Table)
    {}
    ~TabelaAcessivel() override
    {
        for (QAccessible::Id id : std::as_const(celulas_))
            QAccessible::deleteAccessibleInterface(id);
    }

    BoxList *Grade() const { return static_cast<BoxList *>(object()); }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface *>(this)
                                                : QAccessibleWidget::interface_cast(t);
    }
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface *child(int i) const override
    {
        const int colunas = columnCount();
        return colunas > 0 ? cellAt(i / colunas, i % colunas) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *filho) const override
    {
        const auto *c =
            filho ? static_cast<QAccessibleTableCellInterface *>(
                const_cast<QAccessibleInterface *>(filho)->interface_cast(QAccessible::TableCellInterface))
                  : nullptr;
        return c ? c->rowIndex() * columnCount() + c->columnIndex() : -1;
    }

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int linha, int coluna) const override
    {
        if (linha < 0 || linha >= rowCount() || coluna < 0 || coluna >= columnCount())
            return nullptr;
        const qint64 chave = qint64(linha) * 64 + coluna;
        QAccessible::Id &id = celulas_[chave];
        if (!id)
            id = QAccessible::registerAccessibleInterface(
                new CelulaAcessivel(const_cast<TabelaAcessivel *>(this), linha, coluna));
        return QAccessible::accessibleInterface(id);
    }
    int selectedCellCount() const override { return Grade()->ListIndex() >= 0 ? columnCount() : 0; }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> l;
        for (int c = 0; c < selectedCellCount(); ++c)
            l << cellAt(Grade()->ListIndex(), c);
        return l;
    }
    QString columnDescription(int coluna) const override
    {
        const QPushButton *titulo = Grade()->BtnTitle(coluna);
        return titulo ? titulo->text() : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int columnCount() const override { return Grade()->QCol(); }
    int rowCount() const override { return Grade()->ListCount(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return Grade()->ListIndex() >= 0 ? 1 : 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override
    {
        return Grade()->ListIndex() >= 0 ? QList<int>{Grade()->ListIndex()} : QList<int>();
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int linha) const override { return linha == Grade()->ListIndex(); }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    mutable QHash<qint64, QAccessible::Id> celulas_;
};

bool CelulaAcessivel::isValid() const
{
    return linha_ < tabela_->rowCount() && coluna_ < tabela_->columnCount();
}

QAccessibleInterface *CelulaAcessivel::parent() const
{
    return tabela_;
}

QAccessibleInterface *CelulaAcessivel::table() const
{
    return tabela_;
}

bool CelulaAcessivel::isSelected() const
{
    return tabela_->isRowSelected(linha_);
}

QString CelulaAcessivel::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name || t == QAccessible::Value)
        return tabela_->Grade()->List(coluna_, linha_).trimmed();
    if (t == QAccessible::Description)
        return tabela_->columnDescription(coluna_);
    return {};
}

QAccessibleInterface *Fabrica(const QString &classe, QObject *objeto)
{
    if (classe == QLatin1String("BoxList"))
        return new TabelaAcessivel(static_cast<BoxList *>(objeto));
    if (classe == QLatin1String("FlatButton"))
        return new BotaoAcessivel(static_cast<FlatButton *>(objeto));
    if (classe == QLatin1String("TextoPassagem")) {
        auto *t = static_cast<TextoPassagem *>(objeto);
        return new TextoAcessivel(
            t, QAccessible::StaticText, [t] { return t->Texto(); }, [] { return 0; });
    }
    if (classe == QLatin1String("CaixaDigitacao")) {
        auto *c = static_cast<CaixaDigitacao *>(objeto);
        return new TextoAcessivel(
            c, QAccessible::EditableText, [c] { return c->toPlainText(); }, [c] { return c->Caret(); });
    }
    return nullptr;
}

} // namespace

void Acessibilidade::Instalar()
{
    static bool instalado = false;
    if (!instalado) {
        instalado = true;
        QAccessible::installFactory(Fabrica);
    }
}
