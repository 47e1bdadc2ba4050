#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

// The program's message boxes: modal, titled "Datilux", with one OK button, or "Sim" and "Não" for a
// question. In tests a Gravador takes the place of the real box: it records every message and
// answers at once.
class Mensagem {
public:
    enum class Icone { Critico, Informacao, Exclamacao, Pergunta };

    static inline const QString kTitulo = QStringLiteral("Datilux");

    static void Critico(QWidget *pai, const QString &texto) { Mostrar(Icone::Critico, pai, texto); }
    static void Informacao(QWidget *pai, const QString &texto) { Mostrar(Icone::Informacao, pai, texto); }
    static void Exclamacao(QWidget *pai, const QString &texto) { Mostrar(Icone::Exclamacao, pai, texto); }
    static void Mostrar(Icone icone, QWidget *pai, const QString &texto);
    // True for "Sim". "Não" is the default button and the answer of Escape and of the close box.
    static bool Perguntar(QWidget *pai, const QString &texto);

    struct Registro {
        Icone icone;
        QString texto;
        friend bool operator==(const Registro &, const Registro &) = default;
    };

    // While a Gravador exists, messages go to it instead of the screen. Recorders nest; the newest
    // one records.
    class Gravador {
    public:
        Gravador();
        ~Gravador();
        Gravador(const Gravador &) = delete;
        Gravador &operator=(const Gravador &) = delete;

        QList<Registro> mensagens;
        // Called for each message at the moment it would be on screen.
        std::function<void(const Registro &)> aoMostrar;
        // The answer to every question ("Não" unless a test says otherwise).
        bool resposta = false;

        QStringList Textos() const;
        void Limpar() { mensagens.clear(); }

    private:
        Gravador *anterior_;
    };

private:
    static Gravador *gravador_;
};
