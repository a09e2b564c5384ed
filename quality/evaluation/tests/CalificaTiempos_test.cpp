// The time criteria: exact minutes against the limits of each priority
// band, the priorities outside the bands, the order of the moments, the
// counts, and a ticket whose saved evaluation holds a time rating.

#include "CalificaTiempos.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/date_serial.h"
#include "runtime/format.h"
#include "ternova_fixture.h"

namespace {

using quality::CalificacionTiempos;
using quality::Cuentas;
using quality::kBien;
using quality::kBlanco;
using quality::kMal;
using Estado = CalificacionTiempos::Estado;

// "dd/mm/yy hh:mm" of a moment given in whole minutes since the start of the serials.
std::string texto(long long minutos) {
    const int minuto = static_cast<int>(minutos % 1440);
    const std::string hora = {char('0' + minuto / 600), char('0' + minuto / 60 % 10), ':',
                              char('0' + minuto % 60 / 10), char('0' + minuto % 10)};
    return runtime::format_date(static_cast<double>(minutos / 1440), "dd/mm/yy") + " " + hora;
}

const quality::Limites kLimites{{15, 30, 60, 0}, {120, 720, 2160, 0}};

TEST(CalificaTiempos, LimitsHoldToTheMinuteForEveryBandAllYearRound) {
    struct Banda {
        const char* prioridad;
        int rec;
        int res;
    };
    const Banda bandas[] = {
        {"1", 15, 120},    {"33", 15, 120},   {"34", 30, 720},   {"66", 30, 720},
        {"67", 60, 2160},  {"99", 60, 2160},  {"33.5", 30, 720},  // halves to even: 34
        {"34.5", 30, 720}, {"12ab", 15, 120},
    };
    const long long inicio = static_cast<long long>(runtime::date_serial(2026, 1, 1)) * 1440;
    int casos = 0;
    // Start times every 7 h 13 min through a year: every minute of the hour
    // and many times of day, across month and year ends.
    for (long long creada = inicio; creada < inicio + 366LL * 1440; creada += 433) {
        for (const Banda& b : bandas) {
            for (int pasado_rec : {0, 1}) {
                for (int pasado_res : {0, 1}) {
                    const std::string cre = texto(creada);
                    const std::string rec = texto(creada + b.rec + pasado_rec);
                    const std::string res = texto(creada + b.res + pasado_res);
                    const auto r = quality::califica_tiempos({rec, cre, res, b.prioridad}, kLimites,
                                                             kBlanco, kBlanco, kBlanco);
                    ASSERT_EQ(r.estado, Estado::Calificada) << cre << " " << b.prioridad;
                    ASSERT_EQ(r.articulo1, pasado_rec ? kMal : kBien)
                        << cre << " -> " << rec << " priority " << b.prioridad;
                    ASSERT_EQ(r.articulo4, pasado_res ? kMal : kBien)
                        << cre << " -> " << res << " priority " << b.prioridad;
                    ++casos;
                }
            }
        }
    }
    EXPECT_GT(casos, 40000);
}

TEST(CalificaTiempos, PrioritiesOutsideTheBandsLeaveTheTimeCriteriaUnrated) {
    for (const char* prioridad : {"100", "0", "", "abc", "-5", "0.4", "99.5"}) {
        SCOPED_TRACE(prioridad);
        const auto r = quality::califica_tiempos(
            {"05/03/02 10:05", "05/03/02 10:00", "05/03/02 11:00", prioridad}, kLimites, kBien,
            kBien, kMal);
        EXPECT_EQ(r.estado, Estado::Calificada);
        EXPECT_EQ(r.articulo1, kBlanco);
        EXPECT_EQ(r.articulo4, kBlanco);
        EXPECT_EQ(r.cuentas, (Cuentas{2, 1}));
    }
    // 0.5 rounds to 0, 1.5 to 2: in the first band.
    EXPECT_EQ(quality::prioridad_de("0.5"), 0);
    EXPECT_EQ(quality::prioridad_de("1.5"), 2);
    EXPECT_EQ(quality::prioridad_de("66.5"), 66);
}

TEST(CalificaTiempos, TheAcknowledgementMustLieWithinCreationAndResolution) {
    struct Caso {
        const char* reconocida;
        Estado estado;
    };
    const Caso casos[] = {
        {"05/03/02 10:00", Estado::Calificada},  // the creation minute
        {"05/03/02 11:00", Estado::Calificada},  // the resolution minute
        {"05/03/02 11:01", Estado::Incorrecto},
        {"05/03/02 09:59", Estado::Incorrecto},
        {"04/03/02 10:30", Estado::Incorrecto},
        {"__/__/__ __:__", Estado::Incorrecto},
        {"", Estado::SinCambio},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.reconocida);
        const auto r = quality::califica_tiempos(
            {c.reconocida, "05/03/02 10:00", "05/03/02 11:00", "10"}, kLimites, kBien, kBien, kMal);
        EXPECT_EQ(r.estado, c.estado);
        if (c.estado != Estado::Calificada) {
            EXPECT_EQ(r.articulo1, kBlanco);
            EXPECT_EQ(r.articulo4, kBlanco);
            EXPECT_EQ(r.cuentas, (Cuentas{0, 0}));
        }
    }
}

TEST(CalificaTiempos, TheCountsAreThoseOfTheWholeWeek) {
    // Fast acknowledgement and resolution with 2 and 3 satisfactory, 5 not: 4 and 1.
    auto r = quality::califica_tiempos({"05/03/02 10:05", "05/03/02 10:00", "05/03/02 10:30", "5"},
                                       kLimites, kBien, kBien, kMal);
    EXPECT_EQ(r.articulo1, kBien);
    EXPECT_EQ(r.articulo4, kBien);
    EXPECT_EQ(r.cuentas, (Cuentas{4, 1}));
    // Both late, by hand one not rated: 1 and 3.
    r = quality::califica_tiempos({"06/03/02 10:00", "05/03/02 10:00", "08/03/02 10:00", "70"},
                                  kLimites, kBlanco, kBien, kMal);
    EXPECT_EQ(r.articulo1, kMal);
    EXPECT_EQ(r.articulo4, kMal);
    EXPECT_EQ(r.cuentas, (Cuentas{1, 3}));
}

TEST(CalificaTiempos, HourTwentyFourIsTheEndOfItsDay) {
    auto m = quality::lee_momento("05/03/02 24:00");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->minutos(), quality::lee_momento("06/03/02 00:00")->minutos());
    EXPECT_FALSE(quality::lee_momento("05/03/02 25:00"));
    EXPECT_FALSE(quality::lee_momento("05/03/02 12:60"));
    EXPECT_FALSE(quality::lee_momento("31/02/02 12:00"));
}

struct CalificaTiemposGuardados : ::testing::Test {
    TernovaFolder folder;
    quality::MdlTtlQuality state;
    void SetUp() override { state.abrebase(); }
    void fila(const char* boleta, runtime::Value articulo1, runtime::Value articulo4) {
        state.conexion.execute(
            "INSERT INTO Historico_Boletas_Calidad (Boleta, articulo1, articulo4) VALUES (?, ?, ?)",
            {boleta, articulo1, articulo4});
    }
    CalificacionTiempos califica(const char* boleta) {
        return quality::calificatiempos(state.conexion, boleta,
                                        {"05/03/02 10:05", "05/03/02 10:00", "05/03/02 10:30", "5"},
                                        kLimites, kBien, kBlanco, kBlanco);
    }
};

TEST_F(CalificaTiemposGuardados, ASavedTimeRatingIsNeverRecomputed) {
    fila("t-nulls", {}, {});
    fila("t-uno", 3, {});
    fila("t-cuatro", {}, 2);
    fila("o'brien", 2, 2);  // a quote in the number reaches SQL bound
    EXPECT_EQ(quality::calificada(state.conexion, "t-nulls"), false);
    EXPECT_EQ(quality::calificada(state.conexion, "t-uno"), true);
    EXPECT_EQ(quality::calificada(state.conexion, "T-CUATRO"), true);
    EXPECT_EQ(quality::calificada(state.conexion, "o'brien"), true);
    EXPECT_EQ(quality::calificada(state.conexion, "nunca"), std::nullopt);

    EXPECT_EQ(califica("t-nulls").estado, Estado::Calificada);
    EXPECT_EQ(califica("nunca").estado, Estado::Calificada);
    EXPECT_EQ(califica("t-nulls").cuentas, (Cuentas{3, 0}));
    for (const char* boleta : {"t-uno", "t-cuatro", "o'brien"})
        EXPECT_EQ(califica(boleta).estado, Estado::SinCambio) << boleta;
}

}  // namespace
