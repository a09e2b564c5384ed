#include "CalificaTiempos.h"

#include <cmath>

#include "MdlTtlQuality.h"
#include "ValidaReconocimiento.h"
#include "runtime/conversions.h"
#include "runtime/strings.h"

namespace quality {

namespace {

constexpr const char* kEvaluacionSql =
    "SELECT articulo1, articulo4 FROM Historico_Boletas_Calidad WHERE boleta = ?;";

bool dos_digitos(std::string_view texto) {
    return texto.size() == 2 && texto[0] >= '0' && texto[0] <= '9' && texto[1] >= '0' &&
           texto[1] <= '9';
}

}  // namespace

std::optional<long> lee_dia(std::string_view texto) {
    const auto serial = runtime::parse_date(texto);
    if (!serial)
        return std::nullopt;
    return static_cast<long>(std::floor(*serial));
}

std::optional<int> lee_minuto(std::string_view hora) {
    if (hora.size() != 5 || hora[2] != ':' || !dos_digitos(hora.substr(0, 2)) ||
        !dos_digitos(hora.substr(3, 2)))
        return std::nullopt;
    const int horas = (hora[0] - '0') * 10 + (hora[1] - '0');
    const int minutos = (hora[3] - '0') * 10 + (hora[4] - '0');
    if (horas > 24 || minutos > 59)
        return std::nullopt;
    return horas * 60 + minutos;
}

// The date is what stands before the time of day, so a four-digit year
// reads as well as a two-digit one.
std::optional<Momento> lee_momento(std::string_view texto) {
    const std::string limpio = runtime::trim(texto);
    if (limpio.size() < 7)
        return std::nullopt;
    const std::string_view todo(limpio);
    const auto dia = lee_dia(todo.substr(0, todo.size() - 5));
    const auto minuto = lee_minuto(todo.substr(todo.size() - 5));
    if (!dia || !minuto)
        return std::nullopt;
    return Momento{*dia, *minuto};
}

long long minutos_transcurridos(const Momento& desde, const Momento& hasta) {
    return hasta.minutos() - desde.minutos();
}

int prioridad_de(std::string_view prioridad) {
    const double redondeada = runtime::round_half_even(runtime::val(prioridad));
    if (!(std::fabs(redondeada) < 1e9))
        return 0;
    return static_cast<int>(redondeada);
}

Valorimagen califica_contra_limite(long long minutos, int prioridad,
                                   const std::array<double, 4>& limites) {
    const auto banda = MdlTtlQuality::rangoprioridad(prioridad);
    if (!banda)
        return kBlanco;
    return static_cast<double>(minutos) > limites[static_cast<std::size_t>(*banda)] ? kMal : kBien;
}

Valorimagen Califica_reconocida(int prioridad, const MomentosBoleta& momentos,
                                const Limites& limites) {
    return califica_contra_limite(minutos_transcurridos(momentos.creada, momentos.reconocida),
                                  prioridad, limites.tiemposrec);
}

Valorimagen califica_resuelta(int prioridad, const MomentosBoleta& momentos,
                              const Limites& limites) {
    return califica_contra_limite(minutos_transcurridos(momentos.creada, momentos.resuelta),
                                  prioridad, limites.tiemposres);
}

Cuentas cuentalosdemas(Valorimagen articulo2, Valorimagen articulo3, Valorimagen articulo5) {
    Cuentas cuentas;
    for (Valorimagen valor : {articulo2, articulo3, articulo5}) {
        if (valor == kBien)
            ++cuentas.sat;
        else if (valor == kMal)
            ++cuentas.insat;
    }
    return cuentas;
}

CalificacionTiempos califica_tiempos(const TiemposSemana& semana, const Limites& limites,
                                     Valorimagen articulo2, Valorimagen articulo3,
                                     Valorimagen articulo5) {
    CalificacionTiempos resultado;
    if (semana.reconocida.empty())
        return resultado;

    const auto creada = lee_momento(semana.creada);
    const auto reconocida = lee_momento(semana.reconocida);
    const auto resuelta = lee_momento(semana.resuelta);
    if (!creada || !reconocida || !resuelta || reconocida->minutos() < creada->minutos() ||
        reconocida->minutos() > resuelta->minutos()) {
        resultado.estado = CalificacionTiempos::Estado::Incorrecto;
        return resultado;
    }

    const MomentosBoleta momentos{*creada, *reconocida, *resuelta};
    const int prioridad = prioridad_de(semana.prioridad);
    resultado.estado = CalificacionTiempos::Estado::Calificada;
    resultado.articulo1 = Califica_reconocida(prioridad, momentos, limites);
    resultado.articulo4 = califica_resuelta(prioridad, momentos, limites);
    resultado.cuentas = cuentalosdemas(resultado.articulo1, resultado.articulo4, kBlanco);
    const Cuentas demas = cuentalosdemas(articulo2, articulo3, articulo5);
    resultado.cuentas.sat += demas.sat;
    resultado.cuentas.insat += demas.insat;
    return resultado;
}

std::optional<bool> calificada(db::Database& conexion, std::string_view boleta) {
    db::Recordset rs =
        conexion.open_recordset(kEvaluacionSql, db::Cursor::Lazy, {runtime::Value(boleta)});
    if (rs.eof())
        return std::nullopt;
    return !(rs["articulo1"].is_null() && rs["articulo4"].is_null());
}

CalificacionTiempos calificatiempos(db::Database& conexion, std::string_view boleta,
                                    const TiemposSemana& semana, const Limites& limites,
                                    Valorimagen articulo2, Valorimagen articulo3,
                                    Valorimagen articulo5) {
    if (semana.reconocida.empty() || calificada(conexion, boleta).value_or(false))
        return {};
    return califica_tiempos(semana, limites, articulo2, articulo3, articulo5);
}

CalificacionTiempos calificatiempos(db::Database& conexion, const TextosColumna& semana,
                                    const Limites& limites,
                                    const CalificacionesSemana& calificaciones) {
    const std::string reconocida = texto_reconocimiento(semana);
    return calificatiempos(conexion, semana.boleta,
                           {reconocida, semana.creada, semana.resuelta, semana.prioridad}, limites,
                           calificaciones[1], calificaciones[2], calificaciones[4]);
}

}  // namespace quality
