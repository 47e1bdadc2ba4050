// The results store over Qt SQL in a module of its own: the program loads it the first time it reads
// or writes results (always off the window's thread), so libQt6Sql is not mapped at start-up.

#include "resultados/sql/ArmazemSql.h"

#include <type_traits>

extern "C" {

Q_DECL_EXPORT ArmazemResultados *DatiluxArmazemCriar(const ConfigBanco &config)
{
    return new ArmazemSql(config);
}

} // extern "C"

// The program and this module agree on the entry point through the type in ArmazemResultados.h.
static_assert(std::is_same_v<decltype(&DatiluxArmazemCriar), ModuloArmazem::CriarFn>);
