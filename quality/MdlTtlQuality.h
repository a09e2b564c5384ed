#pragma once
// MdlTtlQuality: the state that Ternova's windows share, held in one object
// that the main window creates and hands to the windows it opens, with the
// module's procedures of the program-wide data: opening the database, the
// start-up data (month names and time limits), the month rule of the month
// lists and the priority bands.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "database/database.h"

namespace quality {

// The texts and statements of the module.

// The months as the windows' month lists show them; element 0 is January.
inline constexpr std::array<const char*, 12> kMeses = {
    "Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
    "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre"};

inline constexpr const char* kLimitesReconocimientoSql =
    "SELECT * FROM Prioridades WHERE tipo = 'REC' order by menor;";
inline constexpr const char* kLimitesResolucionSql =
    "SELECT * FROM Prioridades WHERE tipo = 'RES' order by menor;";

// The compacted copy's file name in the program folder.
inline constexpr const char* kCopiaCompactada = "Ternova1.mdb";

class MdlTtlQuality {
public:
    // Program-wide state (all empty, zero or closed until the start-up fills it).

    // The one connection of the program, opened by abrebase().
    db::Database conexion;
    // The name of the supervisor who logged in.
    std::string usuario;
    // The month the ticket browser and the evaluation window query, 1..12
    // (0 until one of them sets it).
    std::uint8_t mesactual = 0;
    // The month names, filled by iniciadatos().
    std::array<std::string, 12> meses{};
    // The acknowledgement and resolution limits in minutes, by band
    // (elements 0..2 are used, 3 holds a fourth row of its kind); a slot
    // that no Prioridades row filled reads as 0.
    std::array<double, 4> tiemposrec{};
    std::array<double, 4> tiemposres{};
    // The ticket chosen in the ticket browser, placed by the evaluation
    // window; never cleared.
    std::string seleccion;

    // Opening the database.

    // The database file: program folder & "\Ternova.mdb".
    static std::filesystem::path base_de_datos();
    // Opens conexion on the database file. A missing, unreadable or locked
    // file, or one that is not Ternova's (a zero-byte file, a file without its
    // tables), raises db::Error whose text names it; the file is never created.
    void abrebase();

    // The start-up data.

    // meses := the twelve month names; abrebase(); the weekly workbooks and
    // the compacted copy a kill left are completed or removed; tiemposrec and tiemposres
    // := the `tiempo` of the 'REC' and the 'RES' rows of Prioridades in
    // `menor` order. Of more than four rows of one kind the first four are
    // used; a Null `tiempo` reads as 0. The limits are read only here: a
    // change in the priority window counts from the next start.
    void iniciadatos();

    // Month lists.

    // The month number 1..12 of a month list's text when it equals one of
    // the month names exactly (case and accents count), else nothing.
    static std::optional<std::uint8_t> numero_de_mes(std::string_view texto);
    // obtenmes: mesactual := the month of `texto`; unchanged when it is no month name.
    void obtenmes(std::string_view texto);

    // Priority bands.

    // rangoprioridad: the element of tiemposrec and tiemposres that a
    // priority selects: 0 for 1..33, 1 for 34..66, 2 for 67..99; nothing
    // for any other priority (the time criterion stays unrated).
    static std::optional<int> rangoprioridad(int prioridad);

    // The graphs' monthly totals.

    // calculagraficas: sums the month's satisfactory and unsatisfactory
    // ratings of `ubicacion` (as given, for the count queries satisfactorios1
    // ... nosatisfactorios5) in the year `año` (the year box's text, counted
    // by its value), and writes them into the GRAFICAS rows of that month
    // (its name in capitals), year and location (in capitals), adding the
    // two rows or updating those there, in one transaction. False, and
    // nothing written, when the month holds no rating or `mes` is no month.
    bool calculagraficas(int mes, const std::string& ubicacion, const std::string& año);
};

}  // namespace quality
