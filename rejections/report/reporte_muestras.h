#pragma once
// The workbook report of riruzoz: the samples that the grid shows, one row
// per record under the 29 headers, in a new workbook saved in the program
// folder as "Reporte de Riruzozs.xls", with the progress told record by
// record.

#include <array>
#include <filesystem>
#include <string>

#include "runtime/date_serial.h"

namespace db {
class Database;
}

namespace rejections {

// The report's file name in the program folder.
inline constexpr const char* kArchivoReporte = "Reporte de Riruzozs.xls";

// The headers of the columns, fields 0 to 28 of the query "prueba".
extern const std::array<const char*, 29> kEncabezados;

// The records a sheet holds under its header row; more go on in further sheets.
inline constexpr long kRegistrosPorHoja = 1048575;

// The sheet's name on a day: "Muestras SRT " and the day as yyyy.mm.dd
// ("Muestras SRT 2008.06.15"). A further sheet adds " (2)", " (3)" ...
std::string nombre_hoja(runtime::DateSerial dia);

// The progress after `escritos` of `total` records, as the report has always
// counted it: the row below the one just written over the total, at most
// 100, so that four records read 75, 100, 100, 100.
int porcentaje_avance(long escritos, long total);
// " 75% de avance": the percentage with the blank of its sign.
std::string etiqueta_avance(int porcentaje);

// What the progress window is told.
class AvanceReporte {
public:
    virtual ~AvanceReporte() = default;
    // Before the first record: a bar from 0 to `total` at 0, "0% de avance".
    virtual void muestra(long total) = 0;
    // After each record: the bar's value and the label.
    virtual void avance(long valor, long maximo, const std::string& etiqueta) = 0;
};

// Writes the records of `consulta`, a statement of the old dialect over
// "prueba", into `archivo`, replacing an earlier file only once the new one
// is complete; returns the records written. Nothing is shown nor written
// when there are none. The header row comes first, in bold at 12 points,
// then a row per record (texts as texts, numbers as numbers); every cell has
// its borders and stands centred, the columns as wide as their contents; the
// pages print in landscape, one page wide, with the header row on each and
// `departamento` in the left footer. Past `registros_por_hoja` records (tests
// take fewer) the rows go on in a further sheet with the same headers and
// layout. Throws db::Error when the records can't be read and
// workbook::WorkbookError or std::exception when the file can't be written;
// an earlier report stays as it was then.
long escribe_reporte(db::Database& base, const std::string& consulta,
                     const std::filesystem::path& archivo, runtime::DateSerial dia,
                     const std::string& departamento, AvanceReporte& avance,
                     long registros_por_hoja = kRegistrosPorHoja);

}  // namespace rejections
