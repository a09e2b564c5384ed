#include "ValidaReconocimiento.h"

#include "CalificaTiempos.h"
#include "runtime/conversions.h"
#include "runtime/format.h"
#include "runtime/strings.h"

namespace quality {

namespace {

using Caja = RechazoReconocimiento::Caja;

// The hour, the minute and the last two characters of the time box are numbers.
bool hora_numerica(std::string_view hora) {
    return runtime::is_numeric(runtime::mid(hora, 1, 2)) &&
           runtime::is_numeric(runtime::mid(hora, 4, 2)) &&
           runtime::is_numeric(runtime::right(hora, 2));
}

// The day of the first `largo` characters of a creation or resolution text.
std::optional<long> dia_de(std::string_view texto, long largo) {
    return lee_dia(runtime::left(texto, largo));
}

// The resolution's day: its first ten characters when they are a date (a
// four-digit year), else its first eight.
std::optional<long> dia_de_resolucion(std::string_view texto) {
    if (auto dia = dia_de(texto, 10))
        return dia;
    return dia_de(texto, 8);
}

}  // namespace

std::string texto_reconocimiento(std::string_view fecharec, std::string_view horarec) {
    return std::string(fecharec) + " " + std::string(horarec);
}

std::string texto_reconocimiento(const TextosColumna& semana) {
    return texto_reconocimiento(semana.recFecha, semana.recHora);
}

bool Eshora(std::string_view hora) {
    const std::string horas = runtime::left(hora, 2);
    const std::string minutos = runtime::right(hora, 2);
    return horas >= "00" && horas <= "24" && minutos >= "00" && minutos <= "59";
}

bool misma_hora_que_creacion(std::string_view fecharec, std::string_view fechacre) {
    return fecharec == fechacre;
}

bool validahorarec(std::string_view fecharec, std::string_view fechacre, std::uint8_t& respuesta,
                   const std::function<int()>& pregunta) {
    if (!misma_hora_que_creacion(fecharec, fechacre))
        return true;
    if (pregunta() != kRespuestaSi)
        return false;
    respuesta = kRespuestaSi;
    return true;
}

std::optional<RechazoReconocimiento> validatmporec(std::string_view fecharec,
                                                   std::string_view horarec,
                                                   std::string_view fechahoracre,
                                                   std::string_view fechahorares, int campoactivo) {
    const auto dia = lee_dia(fecharec);
    if (!dia)
        return RechazoReconocimiento{Caja::Fecha, nullptr, false};
    if (!hora_numerica(horarec))
        return RechazoReconocimiento{Caja::Hora, nullptr, false};

    // An unreadable creation or resolution leaves no span to lie in.
    const auto dia_creada = dia_de(fechahoracre, 8);
    const auto dia_resuelta = dia_de(fechahorares, 8);
    if (!dia_creada || !dia_resuelta || *dia < *dia_creada || *dia > *dia_resuelta)
        return RechazoReconocimiento{Caja::Fecha, kFechaNoValida, true};

    if (!Eshora(horarec))
        return RechazoReconocimiento{Caja::Hora, nullptr, false};

    if (campoactivo == 2) {
        const auto minuto = lee_minuto(horarec);
        const auto creada = lee_momento(fechahoracre);
        const auto resuelta = lee_momento(fechahorares);
        if (!minuto || !creada || !resuelta)
            return RechazoReconocimiento{Caja::Hora, kHoraNoValida, true};
        const Momento reconocida{*dia, *minuto};
        if (reconocida.minutos() < creada->minutos() || reconocida.minutos() > resuelta->minutos())
            return RechazoReconocimiento{Caja::Hora, kHoraNoValida, true};
    }
    return std::nullopt;
}

std::optional<std::string> paso_fecha(std::string_view fecharec, std::string_view fechahoracre,
                                      std::string_view fechahorares, bool adelante) {
    const auto dia = lee_dia(fecharec);
    if (!dia)
        return std::nullopt;
    const long nuevo = *dia + (adelante ? 1 : -1);
    const auto limite = adelante ? dia_de_resolucion(fechahorares) : dia_de(fechahoracre, 8);
    if (!limite || (adelante ? nuevo > *limite : nuevo < *limite))
        return std::nullopt;
    return runtime::format_date(static_cast<runtime::DateSerial>(nuevo), "dd/mm/yy");
}

std::optional<std::string> paso_hora(std::string_view fecharec, std::string_view horarec,
                                     std::string_view fechahoracre, std::string_view fechahorares,
                                     bool adelante) {
    if (!hora_numerica(horarec))
        return std::nullopt;
    const auto minuto = lee_minuto(horarec);
    const auto dia = lee_dia(fecharec);
    if (!minuto || !dia)
        return std::nullopt;
    const int nuevo = ((*minuto + (adelante ? 1 : -1)) % 1440 + 1440) % 1440;
    const Momento momento{*dia, nuevo};
    const auto limite = lee_momento(adelante ? fechahorares : fechahoracre);
    if (!limite ||
        (adelante ? momento.minutos() > limite->minutos() : momento.minutos() < limite->minutos()))
        return std::nullopt;
    return runtime::format_date(static_cast<runtime::DateSerial>(nuevo) / 1440.0, "hh:mm");
}

std::optional<RechazoReconocimiento> validatmporec(const TextosColumna& semana, int campoactivo) {
    return validatmporec(semana.recFecha, semana.recHora, semana.creada, semana.resuelta,
                         campoactivo);
}

PasoFlechitas paso_flechitas(const TextosColumna& semana, int campoactivo, bool adelante) {
    using Accion = PasoFlechitas::Accion;
    std::optional<std::string> nuevo;
    if (campoactivo == 1)
        nuevo = paso_fecha(semana.recFecha, semana.creada, semana.resuelta, adelante);
    else if (campoactivo == 2)
        nuevo =
            paso_hora(semana.recFecha, semana.recHora, semana.creada, semana.resuelta, adelante);
    else
        return {};
    if (!nuevo)
        return {Accion::Pitido, {}};
    return {campoactivo == 1 ? Accion::Fecha : Accion::Hora, *nuevo};
}

}  // namespace quality
