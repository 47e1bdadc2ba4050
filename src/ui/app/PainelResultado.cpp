#include "app/PainelResultado.h"

#include "app/FrmTecloria.h"
#include "app/Sessao.h"
#include "controls/FlatButton/FlatButton.h"
#include "shared/Arte.h"
#include "shared/PintarFundo.h"

#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString NomeTecla(QChar c)
{
    if (c == u'\n')
        return QStringLiteral("Enter");
    if (c == u' ')
        return QStringLiteral("espaço");
    return QString(c);
}

QString Ppm(std::optional<double> ppm)
{
    return ppm ? QStringLiteral("%1 toques/min").arg(FrmTecloria::TextoVelocidade(ppm).trimmed())
               : QStringLiteral("-");
}

} // namespace

PainelResultado::PainelResultado(QWidget *pai)
    : QFrame(pai)
{
    setObjectName(QStringLiteral("PainelResultado"));
    setFrameShape(QFrame::Box);
    setFocusPolicy(Qt::NoFocus);
    PintarFundo(this, QColor(255, 255, 238), QColor(0, 0, 0));

    texto_ = new QLabel(this);
    texto_->setObjectName(QStringLiteral("LblResultado"));
    texto_->setAccessibleName(QStringLiteral("Resultado do exercício"));
    texto_->setTextFormat(Qt::PlainText);
    texto_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    texto_->setFocusPolicy(Qt::NoFocus);
    QFont f = Arte::FonteBotao();
    f.setPointSize(f.pointSize() + 2);
    texto_->setFont(f);

    btnFechar_ = new FlatButton(this);
    btnFechar_->setObjectName(QStringLiteral("BtnFecharResultado"));
    btnFechar_->setToolTip(QStringLiteral("Fechar o resultado"));
    PrepararBotao(btnFechar_, QStringLiteral("Fechar"), Arte::Icone::Nenhum, QSize(88, 26));
    btnFechar_->setFocusPolicy(Qt::NoFocus);
    connect(btnFechar_, &FlatButton::Click, this, &QWidget::hide);

    auto *coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(12, 8, 12, 8);
    coluna->addWidget(texto_, 1);
    coluna->addWidget(btnFechar_, 0, Qt::AlignRight);
    hide();
}

void PainelResultado::Mostrar(const ResultadoSessao &r, const QString &limite)
{
    resultado_ = r;
    limite_ = limite;
    estadoMelhor_ = Melhor::Consultando;
    melhor_.reset();
    Atualizar();
    // Shown without raising a window or moving the focus: a child widget with nothing focusable.
    raise();
    show();
}

void PainelResultado::DefinirMelhor(const QString &chave, bool disponivel, std::optional<double> melhorPpm)
{
    if (chave != resultado_.chave)
        return;
    estadoMelhor_ = disponivel ? Melhor::Conhecido : Melhor::Indisponivel;
    melhor_ = melhorPpm;
    Atualizar();
}

QString PainelResultado::Texto() const
{
    return texto_->text();
}

QString PainelResultado::MotivoVeredito(const ResultadoSessao &r, const QString &limite)
{
    if (r.veredito.isEmpty())
        return QString();
    const std::optional<int> max = Sessao::SegundosDe(limite);
    const QString tempo = Sessao::TempoTotal(int(r.segundos));
    if (r.veredito == QStringLiteral("aprovado"))
        return QStringLiteral("Aprovado: nenhum erro e tempo de %1 dentro do limite de %2.")
            .arg(tempo, limite.trimmed());
    QStringList motivos;
    if (max && r.segundos > *max)
        motivos << QStringLiteral("o tempo de %1 passou do limite de %2").arg(tempo, limite.trimmed());
    if (r.erros > 0)
        motivos << (r.erros == 1 ? QStringLiteral("houve 1 erro") : QStringLiteral("houve %1 erros").arg(r.erros));
    return QStringLiteral("Reprovado: %1 (a aprovação pede nenhum erro dentro do tempo).")
        .arg(motivos.join(QStringLiteral(" e ")));
}

QString PainelResultado::TeclasMaisErradas(const QMap<QChar, int> &erros, int quantas)
{
    QList<std::pair<QChar, int>> lista;
    for (auto it = erros.cbegin(); it != erros.cend(); ++it)
        lista.append({it.key(), it.value()});
    // Most missed first; among equals, the passage's character order (the map's) stays.
    std::stable_sort(lista.begin(), lista.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
    QStringList partes;
    for (int i = 0; i < lista.size() && i < quantas; ++i)
        partes << QStringLiteral("%1 (%2)").arg(NomeTecla(lista[i].first)).arg(lista[i].second);
    return partes.join(QStringLiteral(", "));
}

void PainelResultado::Atualizar()
{
    const ResultadoSessao &r = resultado_;
    QStringList linhas;
    linhas << QStringLiteral("Resultado do exercício %1 da classe %2").arg(r.exercicio).arg(r.classe);
    linhas << QStringLiteral("Tempo: %1").arg(Sessao::TempoTotal(int(r.segundos)));
    linhas << QStringLiteral("Velocidade: %1").arg(Ppm(r.ppm()));
    const QString precisao = FrmTecloria::TextoPrecisao(r.precisao());
    linhas << QStringLiteral("Precisão: %1").arg(precisao.isEmpty() ? QStringLiteral("-") : precisao);
    linhas << QStringLiteral("Erros: %1").arg(r.erros);
    const QString teclas = TeclasMaisErradas(r.errosPorTecla);
    linhas << QStringLiteral("Teclas mais erradas: %1").arg(teclas.isEmpty() ? QStringLiteral("nenhuma") : teclas);
    if (estadoMelhor_ == Melhor::Consultando)
        linhas << QStringLiteral("Seu melhor: consultando...");
    else if (estadoMelhor_ == Melhor::Indisponivel)
        linhas << QStringLiteral("Seu melhor: banco de resultados indisponível");
    else if (melhor_)
        linhas << QStringLiteral("Seu melhor: %1").arg(Ppm(melhor_));
    else
        linhas << QStringLiteral("Seu melhor: primeira vez neste exercício");
    if (!r.concluido)
        linhas << QStringLiteral("Exercício incompleto.");
    const QString motivo = MotivoVeredito(r, limite_);
    if (!motivo.isEmpty())
        linhas << motivo;
    texto_->setText(linhas.join(u'\n'));
}
