#pragma once
// The checks of a week's acknowledgement in the evaluation window: the
// date box ("dd/mm/yy") and the time box ("hh:mm") as the masked boxes read
// them, "_" in every position not typed.
//
// The window calls validahorarec() and then validatmporec() when a week's
// time box is left with both boxes filled (validatmporec() alone when its
// date box is left after a Yes to the same-minute question), and then the
// time rating; paso_fecha() and paso_hora() when the week's arrows step the
// focused box.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Calificacion.h"

namespace quality {

// The masked boxes' texts when nothing is typed.
inline constexpr const char* kFechaVacia = "__/__/__";
inline constexpr const char* kHoraVacia = "__:__";

// The acknowledgement as the time rating and the save take it: the date
// box's text, a blank and the time box's text ("05/03/02 14:07").
std::string texto_reconocimiento(std::string_view fecharec, std::string_view horarec);
std::string texto_reconocimiento(const TextosColumna& semana);

// Eshora: the first two characters lie between "00" and "24" and the last
// two between "00" and "59", compared as texts, both ends included.
bool Eshora(std::string_view hora);

// The same-minute question.

inline constexpr const char* kPreguntaMismoMinuto =
    "La fecha de creación de la boleta y la fecha de reconocimiento son iguales.\r¿Es correcto?";
inline constexpr int kEstiloPreguntaMismoMinuto = 36;  // Yes and No, question icon
inline constexpr std::uint8_t kRespuestaSi = 6;

// Whether the question is asked: the acknowledgement ("dd/mm/yy hh:mm", the
// date box & " " & the time box) is the creation box's text itself.
bool misma_hora_que_creacion(std::string_view fecharec, std::string_view fechacre);

// validahorarec: true when the question is not needed; otherwise asks it
// through `pregunta` (which shows kPreguntaMismoMinuto, style 36, "Ternova",
// and returns the answer): Yes sets `respuesta` to 6 and gives true, any
// other answer gives false and leaves `respuesta` as it was.
bool validahorarec(std::string_view fecharec, std::string_view fechacre, std::uint8_t& respuesta,
                   const std::function<int()>& pregunta);

// The checks of the boxes.

// Why validatmporec refused an acknowledgement, and what the window does:
// a message (16, "Ternova") or else a beep, criterion 1 back to not rated
// where it says so, then the box named emptied to its mask and focused.
struct RechazoReconocimiento {
    enum class Caja { Fecha, Hora };
    Caja caja = Caja::Fecha;
    const char* mensaje = nullptr;  // nullptr: a beep
    bool criterio1_blanco = false;
};

inline constexpr const char* kFechaNoValida = "La fecha no es válida.";
inline constexpr const char* kHoraNoValida = "La hora no es válida.";

// validatmporec, checks in this order, the first failure refusing: the date
// box is no date (beep); the time box's hour or minute is not numeric
// (beep); the date lies before the creation day or after the resolution day
// ("La fecha no es válida."); the time fails Eshora (beep); and only when
// `campoactivo` is 2 (reached from the time box) the moment lies before the
// creation or after the resolution ("La hora no es válida."). Both ends of
// each span pass. Nothing when the acknowledgement passes. An hour "24" is
// the end of its day.
std::optional<RechazoReconocimiento> validatmporec(std::string_view fecharec,
                                                   std::string_view horarec,
                                                   std::string_view fechahoracre,
                                                   std::string_view fechahorares, int campoactivo);
std::optional<RechazoReconocimiento> validatmporec(const TextosColumna& semana, int campoactivo);

// The arrows.

// A step of the date box by one day, back (`adelante` false) down to the
// creation day or forward up to the resolution day: the new text, or
// nothing when the window beeps and leaves the box (no date in the box, or
// the step would leave the span).
std::optional<std::string> paso_fecha(std::string_view fecharec, std::string_view fechahoracre,
                                      std::string_view fechahorares, bool adelante);
// A step of the time box by one minute, as a clock turns (23:59 forward is
// 00:00; the date box does not change): the new text, or nothing when the
// window beeps (the time or the date box unreadable, or the moment of the
// date box's day and the new time would lie before the creation or after
// the resolution).
std::optional<std::string> paso_hora(std::string_view fecharec, std::string_view horarec,
                                     std::string_view fechahoracre, std::string_view fechahorares,
                                     bool adelante);

// What an arrow of a week does with the box `campoactivo` names (1 the date
// box, 2 the time box): nothing before either had the focus, else a beep or
// the box's new text.
struct PasoFlechitas {
    enum class Accion { Nada, Pitido, Fecha, Hora };
    Accion accion = Accion::Nada;
    std::string texto;
};
PasoFlechitas paso_flechitas(const TextosColumna& semana, int campoactivo, bool adelante);

}  // namespace quality
