#pragma once
// What the graphs window hands to its report control: the report files and
// the selection formulas on GRAFICAS, and whether a year holds graphed
// months for the annual report.

#include <string>

#include "database/database.h"

namespace quality {

inline constexpr const char* kReporteMensual = "mensual.rpt";
inline constexpr const char* kReporteAnual = "anual.rpt";

// The locations of the level options, as the count queries name them.
inline constexpr const char* kUbicacionCar = "CAR";
inline constexpr const char* kUbicacionCentro = "Centro de Mantenimiento";

// "{GRAFICAS.mes} = 'MARZO' AND {GRAFICAS.año} = '1999' AND {GRAFICAS.ubicacion } = 'CAR'":
// the month's name and the location in capitals (1 <= mes <= 12).
std::string formula_mensual(int mes, const std::string& año, const std::string& ubicacion);
// "{GRAFICAS.año} = '1999' AND {GRAFICAS.ubicacion } = 'CAR'".
std::string formula_anual(const std::string& año, const std::string& ubicacion);

// Whether GRAFICAS holds a row of the year and location (in capitals).
bool hay_meses_graficados(db::Database& conexion, const std::string& año,
                          const std::string& ubicacion);

}  // namespace quality
