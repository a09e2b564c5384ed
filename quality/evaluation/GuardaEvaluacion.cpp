#include "GuardaEvaluacion.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

#include "ValidaReconocimiento.h"
#include "runtime/clock.h"
#include "runtime/format.h"

namespace quality {

namespace {

constexpr const char* kFilaDeLaBoletaSql =
    "SELECT * FROM Historico_Boletas_Calidad WHERE boleta = ? ORDER BY rowid;";

bool calificado(Valorimagen valor) {
    return valor == kBien || valor == kMal;
}

bool completa(const SemanaEvaluada& semana) {
    if (semana.fecharec == kFechaVacia || semana.horarec == kHoraVacia)
        return false;
    for (Valorimagen valor : semana.articulos)
        if (!calificado(valor))
            return false;
    return true;
}

std::string reconocimiento(const SemanaEvaluada& semana) {
    return texto_reconocimiento(semana.fecharec, semana.horarec);
}

const char* motivo(MotivoOmision motivo) {
    switch (motivo) {
        case MotivoOmision::Incompleta:
            return "está incompleta";
        case MotivoOmision::NoEstaEnHistorico:
            return "la boleta no está en el histórico";
        case MotivoOmision::ReconocimientoNoValido:
            return "la fecha u hora de reconocimiento no es válida";
    }
    return "";
}

std::string lineas(const std::vector<SemanaOmitida>& omitidas) {
    std::string texto;
    for (const SemanaOmitida& o : omitidas)
        texto += "\nSemana " + std::to_string(o.semana) + " (boleta " + o.boleta +
                 "): " + motivo(o.motivo) + ".";
    return texto;
}

// Criteria 1 and 4 of a week whose acknowledgement changed since they were
// rated, rated again from the one to be written; nothing when it no longer
// passes the checks of the acknowledgement.
std::optional<SemanaRecalificada> recalifica(const SemanaEvaluada& semana, int numero,
                                             const Limites& limites) {
    if (validatmporec(semana.fecharec, semana.horarec, semana.creada, semana.resuelta, 2))
        return std::nullopt;
    const std::string rec = reconocimiento(semana);
    const auto r =
        califica_tiempos({rec, semana.creada, semana.resuelta, semana.prioridad}, limites,
                         semana.articulos[1], semana.articulos[2], semana.articulos[4]);
    if (r.estado != CalificacionTiempos::Estado::Calificada)
        return std::nullopt;
    return SemanaRecalificada{numero, r.articulo1, r.articulo4, r.cuentas};
}

}  // namespace

SemanaEvaluada semana_evaluada(const TextosColumna& textos, const CalificacionesSemana& articulos,
                               std::string reconocimiento_calificado) {
    return {
        textos.boleta,   textos.recFecha,  textos.recHora, textos.creada,
        textos.resuelta, textos.prioridad, articulos,      std::move(reconocimiento_calificado)};
}

std::string ResultadoGuardado::mensaje() const {
    switch (estado) {
        case Estado::SinRegistros:
            return kSinRegistros;
        case Estado::Guardado:
            return kGuardadoExitoso;
        case Estado::NadaGuardado:
            return "No se guardó ningún registro:" + lineas(omitidas);
        case Estado::Fallo:
            return "No se guardó ningún registro. Falló " + error;
    }
    return "";
}

int ResultadoGuardado::estilo() const {
    return estado == Estado::Fallo ? 16 : 64;
}

GuardaEvaluacion::GuardaEvaluacion(db::Database& conexion, const Limites& limites)
    : conexion_(conexion), limites_(limites) {}

ResultadoGuardado GuardaEvaluacion::guarda(const Evaluacion& evaluacion) {
    ResultadoGuardado resultado;
    if (evaluacion.semanas[0].boleta.empty())
        return resultado;

    // Which weeks are written, with their ratings as they will be written.
    struct Escritura {
        int numero;
        const SemanaEvaluada* semana;
        std::array<Valorimagen, 5> articulos;
    };
    std::vector<Escritura> escrituras;
    for (int numero = 1; numero <= 4; ++numero) {
        const SemanaEvaluada& semana = evaluacion.semanas[numero - 1];
        if (semana.boleta.empty())
            continue;
        if (!completa(semana)) {
            resultado.omitidas.push_back({numero, semana.boleta, MotivoOmision::Incompleta});
            continue;
        }
        Escritura escritura{numero, &semana, semana.articulos};
        if (reconocimiento(semana) != semana.reconocimiento_calificado) {
            const auto nueva = recalifica(semana, numero, limites_);
            if (!nueva) {
                resultado.omitidas.push_back(
                    {numero, semana.boleta, MotivoOmision::ReconocimientoNoValido});
                continue;
            }
            resultado.recalificadas.push_back(*nueva);
            escritura.articulos[0] = nueva->articulo1;
            escritura.articulos[3] = nueva->articulo4;
            if (!calificado(nueva->articulo1) || !calificado(nueva->articulo4)) {
                resultado.omitidas.push_back({numero, semana.boleta, MotivoOmision::Incompleta});
                continue;
            }
        }
        escrituras.push_back(escritura);
    }

    const runtime::Value hoy = runtime::Value::date(runtime::today());
    int numero = 0;
    std::string boleta;
    try {
        db::Transaction transaccion(conexion_);
        for (const Escritura& e : escrituras) {
            numero = e.numero;
            boleta = e.semana->boleta;
            db::Recordset fila = conexion_.open_recordset(kFilaDeLaBoletaSql, db::Cursor::Lazy,
                                                          {runtime::Value(boleta)});
            if (fila.eof()) {
                resultado.omitidas.push_back({numero, boleta, MotivoOmision::NoEstaEnHistorico});
                continue;
            }
            for (int k = 0; k < 5; ++k)
                fila.set("articulo" + std::to_string(k + 1), static_cast<int>(e.articulos[k]));
            fila.set("fecha_reconoce",
                     runtime::format(runtime::Value(reconocimiento(*e.semana)), "dd/mm/yy hh:mm"));
            fila.set("supervisor", evaluacion.supervisor);
            fila.set("fecha_actualiza", hoy);
            fila.set("comentarios", evaluacion.comentarios);
            fila.set("semana", std::to_string(numero));
            fila.update();
            fila.close();
            resultado.guardadas.push_back(numero);
        }
        numero = 0;
        transaccion.commit();
    } catch (const std::exception& falla) {
        resultado.estado = ResultadoGuardado::Estado::Fallo;
        resultado.guardadas.clear();
        resultado.error = numero ? "la semana " + std::to_string(numero) + " (boleta " + boleta +
                                       "): " + falla.what()
                                 : std::string("la escritura: ") + falla.what();
        return resultado;
    }

    // The weeks in their column order, whatever made them left out.
    std::stable_sort(
        resultado.omitidas.begin(), resultado.omitidas.end(),
        [](const SemanaOmitida& a, const SemanaOmitida& b) { return a.semana < b.semana; });
    resultado.estado = resultado.guardadas.empty() ? ResultadoGuardado::Estado::NadaGuardado
                                                   : ResultadoGuardado::Estado::Guardado;
    return resultado;
}

}  // namespace quality
