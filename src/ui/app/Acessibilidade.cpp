#include "app/Acessibilidade.h"

#include "app/CaixaDigitacao.h"
#include "app/TextoPassagem.h"
#include "controls/FlatButton/FlatButton.h"

#include <QAccessibleWidget>

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

QAccessibleInterface *Fabrica(const QString &classe, QObject *objeto)
{
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
