#include "filtro_registros.h"

#include "database/sql_text.h"
#include "runtime/strings.h"

namespace billing {

std::string etiqueta_duracion(std::string_view texto) {
    const std::string recortado = runtime::trim(texto);
    const long n = runtime::len(recortado);
    if (n == 0)
        return "";
    if (n < 8)
        return std::string("00:00:00").substr(0, static_cast<std::size_t>(8 - n)) + recortado;
    return std::string(texto);
}

std::string consulta_prueba(const FiltroRegistros& filtros) {
    std::string sql = "select * from prueba where ";
    for (int i = 0; i < kFiltros; ++i) {
        // The old statement had no blank before the third column's "and";
        // it reads the same either way.
        if (i == 2)
            sql += "and ";
        else if (i > 0)
            sql += " and ";
        sql += "[";
        sql += kColumnasFiltro[i].columna;
        sql += "] like " + db::quote(filtros[i] + "*");
    }
    return sql;
}

}  // namespace billing
