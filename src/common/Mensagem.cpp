#include "common/Mensagem.h"

#include <QMessageBox>

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
    }
    QMessageBox caixa(icon, kTitulo, texto, QMessageBox::Ok, pai);
    caixa.exec();
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
