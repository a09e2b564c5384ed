#include "ObservaDatos.h"

namespace quality {

std::vector<EvaluacionGuardada> evaluacionesDelMes(db::Database& conexion, std::string_view nombre,
                                                   int mes, double año) {
    db::Recordset rsregistros =
        conexion.open_recordset(kEvaluacionesDelMesSql, db::Cursor::Lazy,
                                {runtime::Value(nombre), runtime::Value(mes), runtime::Value(año)});
    std::vector<EvaluacionGuardada> filas;
    for (; !rsregistros.eof(); rsregistros.move_next()) {
        EvaluacionGuardada fila;
        fila.boleta = rsregistros["boleta"].to_text();
        fila.fecha_creada = rsregistros["fecha_creada"].to_text();
        fila.fecha_resuelta = rsregistros["fecha_resuelta"].to_text();
        fila.fecha_reconoce = rsregistros["fecha_reconoce"].to_text();
        fila.prioridad = rsregistros["prioridad"].to_text();
        fila.supervisor = rsregistros["supervisor"];
        fila.semana = rsregistros["semana"];
        fila.comentarios = rsregistros["comentarios"];
        for (int k = 0; k < 5; ++k)
            fila.articulos[k] = rsregistros["articulo" + std::to_string(k + 1)];
        filas.push_back(std::move(fila));
    }
    return filas;
}

std::optional<BoletaMuestreada> boletaMuestreada(db::Database& conexion, std::string_view boleta) {
    db::Recordset rsregistros =
        conexion.open_recordset(kBoletaMuestreadaSql, db::Cursor::Lazy, {runtime::Value(boleta)});
    if (rsregistros.eof())
        return std::nullopt;
    return BoletaMuestreada{rsregistros["nombre"].to_text(), rsregistros["fecha_creada"],
                            rsregistros["fecha_resuelta"], rsregistros["prioridad"]};
}

}  // namespace quality
