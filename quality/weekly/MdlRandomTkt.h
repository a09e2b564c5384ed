#pragma once
// MdlRandomTkt: the week's random sample. For every run of consecutive
// Tecnico_Wrklist rows of one technician and one work list (a group; exact
// comparison, letter case included) one row is drawn at random, each row of
// the group equally likely. The sample goes into Rnd_Tickets (emptied first),
// into the sample workbook copied from "numero_boletas.xls", and is appended
// to Historico_Rnd and Historico_Boletas_Calidad. The lower bar of the
// progress window shows the progress.
//
// Runs inside the weekly run's transaction: a week without tickets, a Null
// technician or work list, a missing template or a workbook that can't be
// saved raise ErrorArchivo saying so, and the run undoes it all.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Aleatorio.h"
#include "Avance.h"
#include "Semana.h"
#include "database/database.h"
#include "template_workbook.h"

namespace quality {

inline constexpr const char* kNumeroBoletasPlantilla = "numero_boletas.xls";
inline constexpr const char* kTecnicoWrklistSql = "Select * from Tecnico_Wrklist";
inline constexpr const char* kCuentaTecnicoWrklistSql = "Select count(*) from Tecnico_Wrklist";
inline constexpr const char* kBorraRndTicketsSql = "DELETE * FROM Rnd_Tickets;";
inline constexpr const char* kRndTicketsSql = "Select * from Rnd_Tickets";
inline constexpr const char* kHistoricoRndSql =
    " INSERT INTO Historico_Rnd "
    "(Tecnico, Listatrabajo, Boleta, Fecha_creada, Fecha_resuelta, prioridad) "
    "SELECT Rnd_Tickets.Tecnico, Rnd_Tickets.Listatrabajo, Rnd_Tickets.Boleta, "
    "Rnd_Tickets.Fecha_creada,"
    "Rnd_Tickets.Fecha_resuelta, Rnd_Tickets.prioridad FROM Rnd_Tickets;";
inline constexpr const char* kHistoricoCalidadSql =
    "INSERT INTO Historico_Boletas_Calidad "
    "(Tecnico,Listatrabajo,Boleta,Fecha_creada,Fecha_resuelta,prioridad) "
    "SELECT Rnd_Tickets.Tecnico, Rnd_Tickets.Listatrabajo, Rnd_Tickets.Boleta, "
    "Rnd_Tickets.Fecha_creada,"
    "Rnd_Tickets.Fecha_resuelta, Rnd_Tickets.prioridad FROM Rnd_Tickets;";

// The name of the week's sample workbook: "rand_boltec_wklist" & mm & dd & ".xls".
std::string nombre_muestra(const Semana& semana);

// The record number (from 1) drawn from the group of records inicio..fin with
// the random number `rnd` (0 <= rnd < 1): fin - k, k the whole part of rnd × n.
long registro_sorteado(long inicio, long fin, double rnd);

class MdlRandomTkt {
public:
    MdlRandomTkt(db::Database& conexion, Avance& avance, Aleatorio& aleatorio);
    ~MdlRandomTkt();

    // The sampling of `semana`; the sample workbook is saved as `libro`
    // (the run renames it into place once the whole week has succeeded).
    void generaboletasaleatorias(const Semana& semana, const std::filesystem::path& libro);

    // Its steps.

    // Opens the template from the program folder and writes the week's dates.
    void abrenumeroboletas();
    // Draws the ticket of the group that ends at `fin` and starts the next
    // group at the current row.
    void eligeboletas();
    // Keeps the current row's ticket among the group's.
    void guarda_en_grupo();
    // Draws the ticket of the group from `inicio` to `fin` and writes it.
    void sortea_grupo();
    // Writes the drawn ticket into the sheet's next row and into Rnd_Tickets.
    void guardaboletaaleatoria();
    // Appends Rnd_Tickets to Historico_Boletas_Calidad; saves and closes the workbook.
    void guardahistorico();

    // The state of the sampling.
    long inicio = 0, fin = 0;  // the current group's first and last record, from 1
    int filaboletas = 0;       // the sample sheet's next row

private:
    std::string texto_de(const char* columna) const;  // raises on Null

    db::Database& conexion_;
    Avance& avance_;
    Aleatorio& aleatorio_;
    Semana semana_;
    std::filesystem::path libro_;
    std::unique_ptr<workbook::TemplateWorkbook> hoja_;
    db::Recordset rsgeneral_, rsRnd_;
    std::string tecnico_, listatrabajo_;  // the group key
    struct BoletaDelGrupo {
        std::string boleta, fecha_creada, fecha_resuelta, prioridad;
    };
    std::vector<BoletaDelGrupo> grupo_;  // the tickets from `inicio` to `fin`
    std::string boleta_, fecha_creada_, fecha_resuelta_, prioridad_;
};

}  // namespace quality
