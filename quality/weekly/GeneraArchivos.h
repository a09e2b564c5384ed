#pragma once
// The weekly run: the week's resolved-tickets report becomes the week's data
// and workbooks. It refuses an empty report and a week already generated,
// empties and refills Boletas_Resueltas, draws the random sample, fills the
// per-technician workbook and stores the week's dates and ticket total in
// Datos_General.
//
// All or nothing, also under a kill: the database writes run in one
// transaction, and both workbooks are written under temporary names in the
// report's folder and take their names once the week is stored (see
// LibrosSemana.h for how a restart completes or undoes them). Any failure
// undoes it all and ends with the file-error message and, on a line of its
// own, what failed. Detail lines whose moments can't be read are left out;
// the success message says how many and which.

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Aleatorio.h"
#include "Avance.h"
#include "LibrosSemana.h"
#include "Semana.h"
#include "database/database.h"
#include "template_workbook.h"

namespace quality {

inline constexpr const char* kTitulo = "Ternova";
inline constexpr const char* kErrorEnArchivo =
    "Error en el archivo. No se pudo completar la acción.";
inline constexpr const char* kNoEsNecesario =
    "No es necesario volver a generar los archivos,\nsi existen en el directorio orígen.";
inline constexpr const char* kGenerados = "Los archivos fueron generados con éxito.";
inline constexpr int kCritico = 16;
inline constexpr int kInformacion = 64;

inline constexpr const char* kTicketsTecnicosPlantilla = "TICKETS_TECNICOS.XLS";
inline constexpr const char* kBorraBoletasResueltasSql = "DELETE * FROM Boletas_Resueltas;";
// The index the week's totals per technician are read by is made anew once
// the week's tickets are stored, with the week: sorting them once costs far
// less than keeping it in order ticket by ticket. A database made before it
// was in the schema gains it so.
inline constexpr const char* kQuitaIndiceTecnicoSql =
    "DROP INDEX IF EXISTS Boletas_Resueltas_Tecnico;";
inline constexpr const char* kIndiceTecnicoSql =
    "CREATE INDEX IF NOT EXISTS Boletas_Resueltas_Tecnico"
    " ON Boletas_Resueltas (tecnico, listatrabajo);";
inline constexpr const char* kTecnicoListaTrabajoSql = "Select * From Tecnico_ListaTrabajo";
inline constexpr const char* kTecnicoTotalesSql = "Select * From Tecnico_Totales";
inline constexpr const char* kCarSql = "Select * FROM CAR";
inline constexpr const char* kDatosGeneralSql = "Select * From Datos_General";

// What the run shows the user besides the progress window: message boxes
// (the program's title) and the hourglass.
class AvisosCorrida {
public:
    virtual ~AvisosCorrida() = default;
    virtual void mensaje(const std::string& texto, int estilo) = 0;
    virtual void reloj(bool esperando) = 0;
};

// The file-error message with what failed on a line of its own.
std::string mensaje_de_error(const std::string& detalle);
// The success message, ending with the detail lines left out (how many and
// the numbers of the first ones) when there were any.
std::string mensaje_de_exito(long total_omitidas, const std::vector<long>& omitidas);

class GeneraArchivos {
public:
    GeneraArchivos(db::Database& conexion, Avance& avance, AvisosCorrida& avisos,
                   Aleatorio& aleatorio);
    ~GeneraArchivos();

    // generaarchivos: the run on the report `archivoentrada`; returns generado,
    // true when the week's data and both workbooks were written.
    bool generaarchivos(const std::filesystem::path& archivoentrada);

    // Its steps.

    // directorioentrada := the report's folder.
    void obtienedirectorio();
    // Whether the week's sample workbook is in the report's folder already.
    bool existenarchivos() const;
    // The per-technician workbook, saved under a temporary name, and Datos_General.
    void exportaboletastecnicos();
    void llenalistatrabajo();
    void llenatotales();
    void guardadatosgeneral();

    // The state of the run.
    std::filesystem::path archivoentrada;
    Semana semana;
    double totalboletas = 0;
    bool generado = false;
    // The detail lines left out, as the reader counted them.
    long total_omitidas = 0;
    std::vector<long> omitidas;

private:
    // The temporary file a workbook is written to before it takes its name.
    std::filesystem::path temporal(const std::string& nombre) const;
    // The per-technician workbook's name, with the location code of CAR.
    std::string nombre_tecnicos();
    // Undoes a failed run (its workbooks stay when its week was stored) and
    // shows what failed.
    void falla(const std::string& detalle, bool guardada);

    db::Database& conexion_;
    Avance& avance_;
    AvisosCorrida& avisos_;
    Aleatorio& aleatorio_;
    std::unique_ptr<workbook::TemplateWorkbook> hoja_;  // the per-technician sheet
    // The sample workbook and the per-technician workbook of the run.
    std::vector<LibroSemana> libros_;
};

}  // namespace quality
