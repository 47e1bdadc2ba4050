#pragma once

#include "common/ResultadoSessao.h"
#include "resultados/ArmazemResultados.h"

#include <QDialog>

class QLabel;
class QTableView;
class QThread;
class QVBoxLayout;
class TabelaSessoes;

// "Meu desempenho": the logged-in student's sessions (newest first), a chart of speed and accuracy
// over time and the keys most often missed. The store is read on a thread of its own, so that the
// window is on screen at once and fills in when the answer comes; the chart comes from a module
// loaded the first time it is wanted (Qt Charts is not in memory before).
class MeuDesempenho : public QDialog {
    Q_OBJECT

public:
    static inline const QString kTitulo = QStringLiteral("Meu desempenho");
    // The chart module; empty: the installation's (tests point at the build's).
    static inline QString caminhoModulo;

    MeuDesempenho(const ConfigBanco &config, int codigo, QWidget *pai = nullptr);
    ~MeuDesempenho() override;

    // The store answered and the window shows it.
    bool Carregado() const { return carregado_; }
    const QList<ResultadoSessao> &Sessoes() const;

signals:
    void Carregou();

private:
    void Mostrar(bool ok, const QString &erro, const QMap<QChar, int> &erros);
    void CriarGrafico();

    QThread *leitura_ = nullptr;
    bool carregado_ = false;
    TabelaSessoes *tabela_ = nullptr;
    QTableView *vista_ = nullptr;
    QLabel *lblSituacao_ = nullptr;
    QLabel *lblTeclas_ = nullptr;
    QVBoxLayout *coluna_ = nullptr;
};
