#include "MdlTtlQuality.h"

#include "LibrosSemana.h"
#include "database/TernovaDatabase.h"
#include "database/compaction.h"
#include "runtime/conversions.h"
#include "runtime/program_folder.h"
#include "runtime/strings.h"

namespace quality {

namespace {

// The `tiempo` of the rows of one kind, in `menor` order, into the four slots.
void lee_limites(db::Database& conexion, const char* consulta, std::array<double, 4>& limites) {
    limites.fill(0);
    db::Recordset rs = conexion.open_recordset(consulta, db::Cursor::Lazy);
    for (std::size_t fila = 0; fila < limites.size() && !rs.eof(); ++fila) {
        const runtime::Value& tiempo = rs["tiempo"];
        limites[fila] = tiempo.is_null() ? 0 : tiempo.to_number();
        rs.move_next();
    }
}

// The month's count of one kind: the first row's column named like each of
// the five queries, summed. The values are bound, never pasted.
std::int64_t suma_calificaciones(db::Database& conexion, const std::string& consulta, int mes,
                                 double año, const std::string& ubicacion) {
    std::int64_t suma = 0;
    for (int k = 1; k <= 5; ++k) {
        const std::string nombre = consulta + std::to_string(k);
        db::Recordset rsgeneral = conexion.open_recordset(
            "SELECT * FROM " + nombre + " WHERE mes = ? AND año = ? AND ubicacion = ?;",
            db::Cursor::Lazy, {mes, año, ubicacion});
        if (!rsgeneral.eof() && !rsgeneral[nombre].is_null())
            suma += static_cast<std::int64_t>(rsgeneral[nombre].to_number());
    }
    return suma;
}

}  // namespace

std::filesystem::path MdlTtlQuality::base_de_datos() {
    return runtime::program_file(kTernovaFileName);
}

void MdlTtlQuality::abrebase() {
    conexion.open(base_de_datos());
    try {
        // A file that opens but holds none of these (a zero-byte file) is not ours.
        db::require_tables(
            conexion,
            {"Boletas_Resueltas", "Rnd_Tickets", "Historico_Rnd", "Historico_Boletas_Calidad",
             "Datos_General", "Prioridades", "SUPERVISORES", "TECNICOS"},
            "Ternova");
        if (!conexion.has_table(kLibrosPendientes))
            conexion.execute_script(kLibrosPendientesSql);
    } catch (const db::Error&) {
        conexion.close();
        throw;
    }
}

void MdlTtlQuality::iniciadatos() {
    for (std::size_t i = 0; i < meses.size(); ++i)
        meses[i] = kMeses[i];
    abrebase();
    // What a kill left: the week's workbooks of a stored week take their
    // names, those of a week never stored go, and so does a compacted copy
    // (no compaction runs while the database is open).
    completa_pendientes(conexion);
    db::remove_compaction_copy(runtime::program_file(kCopiaCompactada));
    lee_limites(conexion, kLimitesReconocimientoSql, tiemposrec);
    lee_limites(conexion, kLimitesResolucionSql, tiemposres);
}

std::optional<std::uint8_t> MdlTtlQuality::numero_de_mes(std::string_view texto) {
    for (std::size_t i = 0; i < kMeses.size(); ++i)
        if (texto == kMeses[i])
            return static_cast<std::uint8_t>(i + 1);
    return std::nullopt;
}

void MdlTtlQuality::obtenmes(std::string_view texto) {
    if (auto mes = numero_de_mes(texto))
        mesactual = *mes;
}

std::optional<int> MdlTtlQuality::rangoprioridad(int prioridad) {
    if (prioridad >= 1 && prioridad <= 33)
        return 0;
    if (prioridad >= 34 && prioridad <= 66)
        return 1;
    if (prioridad >= 67 && prioridad <= 99)
        return 2;
    return std::nullopt;
}

bool MdlTtlQuality::calculagraficas(int mes, const std::string& ubicacion, const std::string& año) {
    if (mes < 1 || mes > 12)
        return false;
    const double valor_año = runtime::val(año);
    const std::int64_t satisfactorios =
        suma_calificaciones(conexion, "satisfactorios", mes, valor_año, ubicacion);
    const std::int64_t nosatisfactorios =
        suma_calificaciones(conexion, "nosatisfactorios", mes, valor_año, ubicacion);
    if (satisfactorios == 0 && nosatisfactorios == 0)
        return false;

    const std::string nombre_mes = kMeses[mes - 1];
    db::Transaction transaccion(conexion);
    db::Recordset rsgeneral = conexion.open_recordset(
        "SELECT rubro,mes,año,valor,ubicacion FROM GRAFICAS WHERE Mes = ? AND año = ? AND "
        "ubicacion = ? ORDER BY RUBRO;",
        db::Cursor::Static, {nombre_mes, año, ubicacion});
    if (rsgeneral.eof()) {
        for (const auto& [rubro, valor] : {std::pair{"Satisfactorios", satisfactorios},
                                           std::pair{"No Satisfactorios", nosatisfactorios}}) {
            rsgeneral.add_new();
            rsgeneral.set("rubro", runtime::ucase(rubro));
            rsgeneral.set("ubicacion", runtime::ucase(ubicacion));
            rsgeneral.set("valor", static_cast<long long>(valor));
            rsgeneral.set("mes", runtime::ucase(nombre_mes));
            rsgeneral.set("año", año);
            rsgeneral.update();
        }
    } else {
        for (; !rsgeneral.eof(); rsgeneral.move_next()) {
            const bool es_satisfactorio =
                runtime::ucase(rsgeneral["RUBRO"].to_text()) == "SATISFACTORIOS";
            rsgeneral.set("valor", static_cast<long long>(es_satisfactorio ? satisfactorios
                                                                           : nosatisfactorios));
            rsgeneral.update();
        }
    }
    rsgeneral.close();
    transaccion.commit();
    return true;
}

}  // namespace quality
