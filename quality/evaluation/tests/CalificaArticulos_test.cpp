// The criterion clicks, the counting of every rating change, and the
// month's totals and percentage.

#include "CalificaArticulos.h"

#include <gtest/gtest.h>

namespace {

using namespace quality;

TEST(CalificaArticulos, AClickNeedsAllSixBoxesOfTheWeek) {
    EXPECT_TRUE(
        se_puede_calificar("t1", "05/03/02 10:00", "06/03/02 10:00", "5", "05/03/02", "10:00"));
    // A partly typed box counts as filled.
    EXPECT_TRUE(se_puede_calificar("t1", "c", "r", "5", "0_/__/__", "1_:__"));
    EXPECT_FALSE(se_puede_calificar("", "c", "r", "5", "05/03/02", "10:00"));
    EXPECT_FALSE(se_puede_calificar("t1", "", "r", "5", "05/03/02", "10:00"));
    EXPECT_FALSE(se_puede_calificar("t1", "c", "", "5", "05/03/02", "10:00"));
    EXPECT_FALSE(se_puede_calificar("t1", "c", "r", "", "05/03/02", "10:00"));
    EXPECT_FALSE(se_puede_calificar("t1", "c", "r", "5", "__/__/__", "10:00"));
    EXPECT_FALSE(se_puede_calificar("t1", "c", "r", "5", "05/03/02", "__:__"));
}

// The boxes' texts after applying the writes, as the window would.
struct Semana {
    std::string sat = "0", insat = "0";
    void aplica(const std::vector<Escritura>& escrituras) {
        for (const Escritura& e : escrituras)
            (e.contador == Contador::Sat ? sat : insat) = e.texto;
    }
};

TEST(CalificaArticulos, ThreeClicksOnAHandRatedCriterionComeBackToTheStart) {
    Semana semana{"2", "1"};
    Valorimagen valor = kBlanco;
    const Valorimagen ciclo[] = {kBien, kMal, kBlanco};
    const Semana cuentas[] = {{"3", "1"}, {"2", "2"}, {"2", "1"}};
    for (int i = 0; i < 3; ++i) {
        const auto cambio = clic_manual(valor);
        ASSERT_TRUE(cambio);
        valor = cambio->nueva;
        EXPECT_EQ(valor, ciclo[i]);
        semana.aplica(cuenta_articulos(valor, cambio->codigocuenta, semana.sat, semana.insat));
        EXPECT_EQ(semana.sat, cuentas[i].sat) << i;
        EXPECT_EQ(semana.insat, cuentas[i].insat) << i;
    }
    EXPECT_FALSE(clic_manual(kSinCalificacion));
}

TEST(CalificaArticulos, TheComputedCriteriaChangeOnlyFromUnsatisfactoryThroughTheDialog) {
    EXPECT_TRUE(abre_cambio(kMal));
    EXPECT_FALSE(abre_cambio(kBien));
    EXPECT_FALSE(abre_cambio(kBlanco));
    EXPECT_EQ(linea_de_cambio(1, "a123"), "1) Boleta a123");
    EXPECT_EQ(linea_de_cambio(4, "a123"), "4) Boleta a123");

    Semana semana{"3", "2"};
    auto cambio = cambio_elegido(EleccionCambio::Satisfactorio);
    ASSERT_TRUE(cambio);
    EXPECT_EQ(cambio->nueva, kBien);
    semana.aplica(cuenta_articulos(cambio->nueva, cambio->codigocuenta, semana.sat, semana.insat));
    EXPECT_EQ(semana.sat, "4");
    EXPECT_EQ(semana.insat, "1");

    cambio = cambio_elegido(EleccionCambio::NoCalificacion);
    ASSERT_TRUE(cambio);
    EXPECT_EQ(cambio->nueva, kBlanco);
    semana.aplica(cuenta_articulos(cambio->nueva, cambio->codigocuenta, semana.sat, semana.insat));
    EXPECT_EQ(semana.sat, "4");
    EXPECT_EQ(semana.insat, "0");

    EXPECT_FALSE(cambio_elegido(EleccionCambio::Cancelada));
}

TEST(CalificaArticulos, CountingFollowsTheTransitionTable) {
    using E = Escritura;
    constexpr Contador S = Contador::Sat;
    constexpr Contador I = Contador::Insat;
    struct Caso {
        Valorimagen nueva;
        int codigo;
        const char* sat;
        const char* insat;
        std::vector<E> escrituras;
    };
    const Caso casos[] = {
        {kBien, 3, "1", "1", {{S, "2"}}},
        {kBien, 0, "", "", {{S, "1"}}},  // the code before any load counts as 3
        {kBien, 1, "1", "1", {{S, "2"}, {I, "0"}}},
        {kBien, 2, "1", "1", {{S, "2"}, {I, "0"}}},
        {kMal, 3, "1", "1", {{I, "2"}}},
        {kMal, 1, "1", "1", {{I, "2"}, {S, "0"}}},
        {kMal, 2, "1", "1", {{I, "2"}}},
        {kBlanco, 1, "1", "1", {{I, "0"}, {S, "2"}}},
        {kBlanco, 2, "1", "1", {{I, "0"}}},
        {kBlanco, 3, "1", "1", {}},
        // Below 0: written as it came out, then as "0".
        {kBlanco, 2, "1", "0", {{I, "-1"}, {I, "0"}}},
        {kBien, 1, "0", "", {{S, "1"}, {I, "-1"}, {I, "0"}}},
        {kSinCalificacion, 3, "1", "1", {}},
        {kBien, 3, "4x", "", {{S, "5"}}},  // a count read by its leading number
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.nueva) + "/" + std::to_string(c.codigo));
        EXPECT_EQ(cuenta_articulos(c.nueva, c.codigo, c.sat, c.insat), c.escrituras);
    }
}

TEST(CalificaArticulos, TheMonthsTotalsAndPercentage) {
    auto t = totales_del_mes({"2", "", "", ""}, {"0", "1", "", ""}, Contador::Insat);
    EXPECT_EQ(t.sattotal, "2");
    EXPECT_EQ(t.insattotal, "1");
    ASSERT_TRUE(t.total);
    EXPECT_EQ(porcentaje(*t.total), "66.7%");

    t = totales_del_mes({"3", "", "", ""}, {"1", "", "", ""}, Contador::Sat);
    EXPECT_EQ(t.total, "0.75");
    EXPECT_EQ(porcentaje(*t.total), "75.0%");
    EXPECT_EQ(porcentaje("1"), "100.0%");

    // Nothing rated: a satisfactory count's change writes "0", an unsatisfactory one nothing.
    t = totales_del_mes({"0", "0", "", ""}, {"0", "", "", ""}, Contador::Sat);
    EXPECT_EQ(t.sattotal, "0");
    EXPECT_EQ(t.total, "0");
    EXPECT_EQ(porcentaje("0"), ".0%");
    t = totales_del_mes({"0", "", "", ""}, {"0", "", "", ""}, Contador::Insat);
    EXPECT_EQ(t.total, std::nullopt);

    // The percentage just written stays as it is.
    EXPECT_EQ(porcentaje("75.0%"), "75.0%");
    EXPECT_EQ(porcentaje(".0%"), ".0%");
}

}  // namespace
