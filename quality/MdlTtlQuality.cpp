#include "MdlTtlQuality.h"

#include "LibrosSemana.h"
#include "database/TernovaDatabase.h"
#include "database/compaction.h"
#include "runtime/program_folder.h"

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

}  // namespace quality
