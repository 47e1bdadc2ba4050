#pragma once

#include "relatorio/Impressao.h"
#include "relatorio/RelatorioTurma.h"

#include <QDialog>

class Digita;
class ModeloRelatorio;
class FiltroRelatorio;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QThread;

// "Relatório da turma": the administrator's view of every registered student, sortable by any
// column, filtered by name and class; a row opens that student's history. It exports the rows it
// shows as a spreadsheet and lays them out for the printer or a PDF file, under the school's name
// (kept in the settings store under kChaveEscola).
class JanelaRelatorio : public QDialog {
    Q_OBJECT

public:
    static inline const QString kChaveEscola = QStringLiteral("NomeEscola");
    // The print module; empty: the installation's (tests point at the build's).
    static inline QString caminhoModulo;

    JanelaRelatorio(Digita &d, QWidget *pai = nullptr);
    ~JanelaRelatorio() override;

    bool Carregado() const { return carregado_; }
    // The rows as filtered and sorted on screen.
    QList<RelatorioTurma::Linha> LinhasVisiveis() const;
    // What the printout shows: the title line, the date, the visible rows.
    PaginasRelatorio Paginas() const;

    // The commands of the buttons, with the file already chosen (the buttons ask for it).
    bool ExportarPlanilha(const QString &arquivo, QString &erro) const;
    bool SalvarPdf(const QString &arquivo, QString &erro) const;

signals:
    void Carregou();

private:
    void Mostrar(bool ok, const QString &erro, QList<RelatorioTurma::Linha> linhas);
    void AtualizarSituacao();
    void AbrirHistorico();
    void Exportar();
    void Imprimir();
    void Pdf();
    QString Escolher(const QString &titulo, const QString &nome, const QString &filtro);
    void *Funcao(const char *nome) const;

    Digita &digita_;
    QString erroAlunos_;
    QThread *leitura_ = nullptr;
    bool carregado_ = false;
    ModeloRelatorio *modelo_ = nullptr;
    FiltroRelatorio *filtro_ = nullptr;
    QLineEdit *txtEscola_ = nullptr;
    QLineEdit *txtNome_ = nullptr;
    QComboBox *cmbClasse_ = nullptr;
    QLabel *lblSituacao_ = nullptr;
    QTableView *vista_ = nullptr;
    QPushButton *btnHistorico_ = nullptr;
};
