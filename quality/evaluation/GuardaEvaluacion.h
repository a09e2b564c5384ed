#pragma once
// The save of the evaluation window ("&Actualizar Registros"): every
// complete week column is written into its ticket's existing row of
// Historico_Boletas_Calidad, all weeks of one save in one transaction.
//
// The window gathers its four columns, its supervisor and its comments into
// an Evaluacion, calls GuardaEvaluacion::guarda(), shows mensaje() with
// estilo() and the title "Ternova", shows the ratings of the weeks rated
// again (recalificadas) and locks the weeks written (guardadas).

#include <array>
#include <string>
#include <vector>

#include "CalificaTiempos.h"
#include "Calificacion.h"
#include "database/database.h"

namespace quality {

// One week column as the window shows it.
struct SemanaEvaluada {
    std::string boleta;     // txtboletaW; an empty box is no week to save
    std::string fecharec;   // txtrecWfe, "__/__/__" when empty
    std::string horarec;    // txtrecWho, "__:__" when empty
    std::string creada;     // txtcreadaW
    std::string resuelta;   // txtresW
    std::string prioridad;  // txtprioW
    // The ratings of criteria 1 to 5 (ImageW1 .. ImageW5).
    std::array<Valorimagen, 5> articulos{kBlanco, kBlanco, kBlanco, kBlanco, kBlanco};
    // The acknowledgement (date box & " " & time box) from which criteria 1
    // and 4 were rated: the one handed to the last time rating, or the one
    // loaded with a saved week. A week whose acknowledgement is not this one
    // any more is checked and rated again before it is written.
    std::string reconocimiento_calificado;
};

// A week column as its boxes and images show it, with the acknowledgement
// its time criteria were rated from.
SemanaEvaluada semana_evaluada(const TextosColumna& textos, const CalificacionesSemana& articulos,
                               std::string reconocimiento_calificado);

struct Evaluacion {
    std::array<SemanaEvaluada, 4> semanas;  // columns 1 to 4
    std::string supervisor;                 // txtsuper
    std::string comentarios;                // txtcomen, written into every week saved
};

// Why a week with a ticket was not written.
enum class MotivoOmision {
    Incompleta,              // an acknowledgement box empty or a criterion not rated
    NoEstaEnHistorico,       // the ticket has no row in the history (typed, never sampled)
    ReconocimientoNoValido,  // changed after the rating, and no longer within the ticket's span
};

struct SemanaOmitida {
    int semana = 0;  // 1..4
    std::string boleta;
    MotivoOmision motivo = MotivoOmision::Incompleta;
};

// A week rated again because its acknowledgement changed after its rating:
// its new criteria 1 and 4 and its counts, for the window to show.
struct SemanaRecalificada {
    int semana = 0;
    Valorimagen articulo1 = kBlanco;
    Valorimagen articulo4 = kBlanco;
    Cuentas cuentas;
};

struct ResultadoGuardado {
    enum class Estado {
        SinRegistros,  // column 1 has no ticket: nothing written
        Guardado,      // at least one week written
        NadaGuardado,  // no week could be written: omitidas says why
        Fallo,         // the database failed: nothing written (error says what)
    };
    Estado estado = Estado::SinRegistros;
    std::vector<int> guardadas;  // the weeks written, to lock
    std::vector<SemanaOmitida> omitidas;
    std::vector<SemanaRecalificada> recalificadas;
    std::string error;

    // The message the window shows, and its style (64 information, 16 critical):
    // kGuardadoExitoso as it stands once a week was written; the weeks left
    // out and why only when none was.
    std::string mensaje() const;
    int estilo() const;
};

inline constexpr const char* kSinRegistros = "No hay registros que actualizar.";
inline constexpr const char* kGuardadoExitoso = "Los registros fueron guardados exitosamente.";

class GuardaEvaluacion {
public:
    // `limites` are the time limits the program read at start.
    GuardaEvaluacion(db::Database& conexion, const Limites& limites);

    // Writes every complete week with a ticket: articulo1 .. articulo5,
    // fecha_reconoce (date & " " & time as "dd/mm/yy hh:mm"), supervisor,
    // fecha_actualiza (today), comentarios and semana ("1" .. "4"), into the
    // first row of its ticket; the row is never inserted. All weeks are
    // written in one transaction: when any write fails, none stays.
    ResultadoGuardado guarda(const Evaluacion& evaluacion);

private:
    db::Database& conexion_;
    Limites limites_;
};

}  // namespace quality
