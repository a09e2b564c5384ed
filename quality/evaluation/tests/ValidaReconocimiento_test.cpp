// The acknowledgement's checks: Eshora, the same-minute question, the
// checks of the boxes in their order, and the arrows' steps and bounds.

#include "ValidaReconocimiento.h"

#include <gtest/gtest.h>

namespace {

using quality::RechazoReconocimiento;
using Caja = RechazoReconocimiento::Caja;

constexpr const char* kCreada = "05/03/02 10:00";
constexpr const char* kResuelta = "07/03/02 18:30";

TEST(ValidaReconocimiento, EshoraComparesTheTwoHalvesAsTexts) {
    struct Caso {
        const char* hora;
        bool es;
    };
    const Caso casos[] = {{"00:00", true},  {"24:00", true},  {"24:59", true}, {"23:59", true},
                          {"25:00", false}, {"12:60", false}, {"9_:00", false}};
    for (const Caso& c : casos)
        EXPECT_EQ(quality::Eshora(c.hora), c.es) << c.hora;
}

TEST(ValidaReconocimiento, TheQuestionIsAskedOnlyAtTheCreationMinute) {
    int preguntas = 0;
    int respuesta_usuario = 7;  // No
    auto pregunta = [&] {
        ++preguntas;
        return respuesta_usuario;
    };
    std::uint8_t respuesta = 0;
    EXPECT_EQ(quality::texto_reconocimiento("05/03/02", "10:00"), kCreada);
    EXPECT_TRUE(quality::validahorarec("05/03/02 10:01", kCreada, respuesta, pregunta));
    EXPECT_EQ(preguntas, 0);

    EXPECT_FALSE(quality::validahorarec(kCreada, kCreada, respuesta, pregunta));
    EXPECT_EQ(preguntas, 1);
    EXPECT_EQ(respuesta, 0);

    respuesta_usuario = quality::kRespuestaSi;
    EXPECT_TRUE(quality::validahorarec(kCreada, kCreada, respuesta, pregunta));
    EXPECT_EQ(preguntas, 2);
    EXPECT_EQ(respuesta, 6);
    // A later No leaves the Yes in place.
    respuesta_usuario = 7;
    EXPECT_FALSE(quality::validahorarec(kCreada, kCreada, respuesta, pregunta));
    EXPECT_EQ(respuesta, 6);
    EXPECT_EQ(std::string(quality::kPreguntaMismoMinuto),
              "La fecha de creación de la boleta y la fecha de reconocimiento son iguales.\r"
              "¿Es correcto?");
}

TEST(ValidaReconocimiento, TheChecksRefuseInTheirOrder) {
    struct Caso {
        const char* fecha;
        const char* hora;
        int campoactivo;
        std::optional<Caja> caja;  // nothing: accepted
        const char* mensaje;       // nullptr: a beep
    };
    const Caso casos[] = {
        {"05/03/02", "10:00", 2, std::nullopt, nullptr},  // the creation minute
        {"07/03/02", "18:30", 2, std::nullopt, nullptr},  // the resolution minute
        {"1_/__/__", "10:00", 2, Caja::Fecha, nullptr},   // partly typed
        {"31/02/02", "10:00", 2, Caja::Fecha, nullptr},   // no such day
        {"05/03/02", "1_:00", 2, Caja::Hora, nullptr},
        {"05/03/02", "__:__", 1, Caja::Hora, nullptr},
        {"04/03/02", "12:00", 2, Caja::Fecha, quality::kFechaNoValida},
        {"08/03/02", "12:00", 1, Caja::Fecha, quality::kFechaNoValida},
        {"04/03/02", "12:60", 2, Caja::Fecha, quality::kFechaNoValida},  // the date first
        {"06/03/02", "12:60", 2, Caja::Hora, nullptr},                   // Eshora
        {"06/03/02", "25:00", 1, Caja::Hora, nullptr},
        {"05/03/02", "09:59", 2, Caja::Hora, quality::kHoraNoValida},
        {"07/03/02", "18:31", 2, Caja::Hora, quality::kHoraNoValida},
        // From the date box the times of day are not compared.
        {"05/03/02", "09:59", 1, std::nullopt, nullptr},
        {"06/03/02", "24:00", 2, std::nullopt, nullptr},  // the end of the 6th
        {"07/03/02", "24:00", 2, Caja::Hora, quality::kHoraNoValida},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.fecha) + " " + c.hora);
        const auto r = quality::validatmporec(c.fecha, c.hora, kCreada, kResuelta, c.campoactivo);
        ASSERT_EQ(r.has_value(), c.caja.has_value());
        if (!r)
            continue;
        EXPECT_EQ(r->caja, *c.caja);
        EXPECT_EQ(r->mensaje == nullptr, c.mensaje == nullptr);
        if (c.mensaje && r->mensaje) {
            EXPECT_STREQ(r->mensaje, c.mensaje);
        }
        // A message also takes criterion 1 back to not rated; a beep does not.
        EXPECT_EQ(r->criterio1_blanco, c.mensaje != nullptr);
    }
    // An empty creation box leaves no span to lie in.
    EXPECT_TRUE(quality::validatmporec("05/03/02", "10:00", "", kResuelta, 2));
}

TEST(ValidaReconocimiento, TheArrowsStepWithinTheTicketsSpan) {
    using quality::paso_fecha;
    using quality::paso_hora;
    EXPECT_EQ(paso_fecha("06/03/02", kCreada, kResuelta, false), "05/03/02");
    EXPECT_EQ(paso_fecha("05/03/02", kCreada, kResuelta, false), std::nullopt);
    EXPECT_EQ(paso_fecha("06/03/02", kCreada, kResuelta, true), "07/03/02");
    EXPECT_EQ(paso_fecha("07/03/02", kCreada, kResuelta, true), std::nullopt);
    EXPECT_EQ(paso_fecha("__/__/__", kCreada, kResuelta, true), std::nullopt);
    EXPECT_EQ(paso_fecha("28/02/02", "27/02/02 10:00", "01/03/02 10:00", true), "01/03/02");
    EXPECT_EQ(paso_fecha("31/12/02", "30/12/02 10:00", "01/01/2003 10:00", true), "01/01/03");

    EXPECT_EQ(paso_hora("05/03/02", "10:01", kCreada, kResuelta, false), "10:00");
    EXPECT_EQ(paso_hora("05/03/02", "10:00", kCreada, kResuelta, false), std::nullopt);
    EXPECT_EQ(paso_hora("06/03/02", "10:00", kCreada, kResuelta, false), "09:59");
    EXPECT_EQ(paso_hora("06/03/02", "23:59", kCreada, kResuelta, true), "00:00");
    EXPECT_EQ(paso_hora("06/03/02", "00:00", kCreada, kResuelta, false), "23:59");
    EXPECT_EQ(paso_hora("07/03/02", "18:29", kCreada, kResuelta, true), "18:30");
    EXPECT_EQ(paso_hora("07/03/02", "18:30", kCreada, kResuelta, true), std::nullopt);
    EXPECT_EQ(paso_hora("06/03/02", "1_:00", kCreada, kResuelta, true), std::nullopt);
    EXPECT_EQ(paso_hora("__/__/__", "12:00", kCreada, kResuelta, true), std::nullopt);
}

}  // namespace
