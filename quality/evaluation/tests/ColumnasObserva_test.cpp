// The week columns' rules: where a chosen ticket goes, what a lookup fills
// in, what a saved row shows.

#include "ColumnasObserva.h"

#include <gtest/gtest.h>

namespace {

using quality::Busqueda;

TEST(ColumnasObserva, TheChosenTicketGoesToTheNextColumnThatFollowsAFilledOne) {
    struct Caso {
        quality::BoletasDeLasSemanas boletas;
        std::optional<int> semana;
    } casos[] = {
        {{"", "", "", ""}, 1},
        {{"a", "", "", ""}, 2},
        {{"a", "b", "", ""}, 3},
        {{"a", "b", "c", ""}, 4},
        {{"a", "b", "c", "d"}, std::nullopt},
        // Column 1 emptied by hand: the empty columns follow no filled one.
        {{"", "b", "c", "d"}, std::nullopt},
        // Column 1 empty but 4 filled: column 3 follows column 2.
        {{"", "b", "", "d"}, 3},
        {{"a", "", "c", "d"}, 2},
        // The ticket stands in a column already.
        {{"x", "", "", ""}, std::nullopt},
        {{"a", "b", "x", ""}, std::nullopt},
    };
    for (const Caso& caso : casos) {
        EXPECT_EQ(quality::columnaParaColocar(caso.boletas, "x"), caso.semana)
            << caso.boletas[0] << "|" << caso.boletas[1] << "|" << caso.boletas[2] << "|"
            << caso.boletas[3];
    }
    EXPECT_FALSE(quality::yaestaboleta({"", "", "", ""}, ""));
    EXPECT_FALSE(quality::yaestaboleta({"X", "", "", ""}, "x"));
}

quality::BoletaMuestreada muestra(const char* nombre, const char* creada, const char* resuelta) {
    return {nombre, runtime::Value(creada), runtime::Value(resuelta), runtime::Value("34")};
}

TEST(ColumnasObserva, ALookupAcceptsTheTechniciansTicketsOfTheMonthOfTheirResolution) {
    const auto aceptada = quality::traefechas(
        muestra("ANA LOPEZ", "28/02/26 23:50", "01/03/26 09:12"), "ANA LOPEZ", "Marzo");
    ASSERT_EQ(aceptada.resultado, Busqueda::Aceptada);
    EXPECT_EQ(aceptada.año, "2026");
    EXPECT_EQ(aceptada.textos.creada, "28/02/26 23:50");
    EXPECT_EQ(aceptada.textos.recFecha, "28/02/26");
    EXPECT_EQ(aceptada.textos.recHora, "23:50");
    EXPECT_EQ(aceptada.textos.resuelta, "01/03/26 09:12");
    EXPECT_EQ(aceptada.textos.prioridad, "34");

    // A stored four-digit year: its first ten characters are the date.
    const auto larga = quality::traefechas(
        muestra("ANA LOPEZ", "04/03/2026 17:45", "05/03/2026 09:30:00"), "ANA LOPEZ", "Marzo");
    ASSERT_EQ(larga.resultado, Busqueda::Aceptada);
    EXPECT_EQ(larga.textos.creada, "04/03/26 17:45");
    EXPECT_EQ(larga.textos.recFecha, "04/03/26");
    EXPECT_EQ(larga.textos.recHora, "17:45");

    // Refused, the year still follows the ticket's creation.
    struct Caso {
        const char* nombre;
        const char* resuelta;
        const char* mes;
    } ajenas[] = {
        {"BETO RUIZ", "01/03/26 09:12", "Marzo"},
        {"ana lopez", "01/03/26 09:12", "Marzo"},    // names compare exactly
        {"ANA LOPEZ", "01/03/26 09:12", "Febrero"},  // the creation's month is not the test
        {"ANA LOPEZ", "01/03/26 09:12", "marzo"},
    };
    for (const Caso& caso : ajenas) {
        const auto ajena = quality::traefechas(
            muestra(caso.nombre, "28/02/25 10:00", caso.resuelta), "ANA LOPEZ", caso.mes);
        EXPECT_EQ(ajena.resultado, Busqueda::Ajena) << caso.nombre << " " << caso.mes;
        EXPECT_EQ(ajena.año, "2025");
    }
    EXPECT_EQ(quality::traefechas(std::nullopt, "ANA LOPEZ", "Marzo").resultado,
              Busqueda::Desconocida);
}

TEST(ColumnasObserva, ASavedRowShowsItsWeekItsAcknowledgementAndItsRatings) {
    quality::EvaluacionGuardada fila;
    fila.boleta = "4500123";
    fila.fecha_creada = "27/02/26 08:15";
    fila.fecha_resuelta = "27/02/26 10:40";
    fila.fecha_reconoce = "27/02/26 08:20";
    fila.prioridad = "10";
    const quality::TextosColumna textos = quality::llenacolumna(fila);
    EXPECT_EQ(textos.boleta, "4500123");
    EXPECT_EQ(textos.creada, "27/02/26 08:15");
    EXPECT_EQ(textos.resuelta, "27/02/26 10:40");
    EXPECT_EQ(textos.recFecha, "27/02/26");
    EXPECT_EQ(textos.recHora, "08:20");
    EXPECT_EQ(textos.prioridad, "10");

    EXPECT_EQ(quality::semanaGuardada(runtime::Value("3")), 3);
    for (const runtime::Value& nunca :
         {runtime::Value(), runtime::Value(""), runtime::Value("5"), runtime::Value("0")})
        EXPECT_EQ(quality::semanaGuardada(nunca), std::nullopt) << nunca.to_text();

    EXPECT_EQ(quality::calificacionGuardada(runtime::Value(1)), quality::kBlanco);
    EXPECT_EQ(quality::calificacionGuardada(runtime::Value(2)), quality::kBien);
    EXPECT_EQ(quality::calificacionGuardada(runtime::Value("3")), quality::kMal);
    for (const runtime::Value& otro : {runtime::Value(), runtime::Value(0), runtime::Value(4)})
        EXPECT_EQ(quality::calificacionGuardada(otro), std::nullopt) << otro.to_text();
}

}  // namespace
