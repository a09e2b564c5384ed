#include "Graficas.h"

#include "MdlTtlQuality.h"
#include "runtime/strings.h"

namespace quality {

namespace {

// A text inside the formula's quotes, its own quotes doubled.
std::string en_formula(const std::string& valor) {
    std::string out = "'";
    for (char c : valor) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

}  // namespace

std::string formula_mensual(int mes, const std::string& año, const std::string& ubicacion) {
    return "{GRAFICAS.mes} = " + en_formula(runtime::ucase(kMeses[mes - 1])) +
           " AND {GRAFICAS.año} = " + en_formula(año) +
           " AND {GRAFICAS.ubicacion } = " + en_formula(runtime::ucase(ubicacion));
}

std::string formula_anual(const std::string& año, const std::string& ubicacion) {
    return "{GRAFICAS.año} = " + en_formula(año) +
           " AND {GRAFICAS.ubicacion } = " + en_formula(runtime::ucase(ubicacion));
}

bool hay_meses_graficados(db::Database& conexion, const std::string& año,
                          const std::string& ubicacion) {
    db::Recordset rsgeneral =
        conexion.open_recordset("SELECT * FROM GRAFICAS WHERE año = ? AND ubicacion = ?",
                                db::Cursor::Lazy, {año, runtime::ucase(ubicacion)});
    return !rsgeneral.eof();
}

}  // namespace quality
