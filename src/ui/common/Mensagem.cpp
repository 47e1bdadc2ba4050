#include "common/Mensagem.h"

#include <QMessageBox>
#include <QPushButton>

Mensagem::Gravador *Mensagem::gravador_ = nullptr;

void Mensagem::Mostrar(Icone icone, QWidget *pai, const QString &texto)
{
    if (gravador_) {
        Registro r{icone, texto};
        gravador_->mensagens.append(r);
        if (gravador_->aoMostrar)
            gravador_->aoMostrar(r);
        return;
    }
    QMessageBox::Icon icon = QMessageBox::Critical;
    switch (icone) {
    case Icone::Critico: icon = QMessageBox::Critical; break;
    case Icone::Informacao: icon = QMessageBox::Information; break;
    case Icone::Exclamacao: icon = QMessageBox::Warning; break;
    case Icone::Pergunta: icon = QMessageBox::Question; break;
    }
    QMessageBox caixa(icon, kTitulo, texto, QMessageBox::Ok, pai);
    caixa.exec();
}

bool Mensagem::Perguntar(QWidget *pai, const QString &texto)
{
    if (gravador_) {
        Mostrar(Icone::Pergunta, pai, texto);
        return gravador_->resposta;
    }
    QMessageBox caixa(QMessageBox::Question, kTitulo, texto, QMessageBox::NoButton, pai);
    QPushButton *sim = caixa.addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
    QPushButton *nao = caixa.addButton(QStringLiteral("Não"), QMessageBox::NoRole);
    caixa.setDefaultButton(nao);
    caixa.setEscapeButton(nao);
    caixa.exec();
    return caixa.clickedButton() == sim;
}

Mensagem::Gravador::Gravador()
    : anterior_(gravador_)
{
    gravador_ = this;
}

Mensagem::Gravador::~Gravador()
{
    gravador_ = anterior_;
}

QStringList Mensagem::Gravador::Textos() const
{
    QStringList t;
    for (const Registro &r : mensagens)
        t << r.texto;
    return t;
}
