#include "common/Digita.h"
#include "resultados/FilaResultados.h"
#include "resultados/GravadorResultados.h"
#include "resultados/sql/ArmazemSql.h"

#include <QSysInfo>

// Apart from the store itself, which the program's module carries without the writer and the data
// folder's code.
GravadorResultados *ArmazemSql::NovoGravador(Digita &d, QObject *pai, QString &erro)
{
    ConfigBanco config;
    if (!ConfigBanco::Ler(d, config, erro))
        return nullptr;
    auto *gravador = new GravadorResultados(
        Fabrica(config), d.Caminho(FilaResultados::NomeArquivo(QSysInfo::machineHostName())), pai);
    gravador->Descarregar();
    return gravador;
}
