#include "MdlTtlQuality.h"

#include <gtest/gtest.h>

#include "ternova_fixture.h"

using quality::MdlTtlQuality;

TEST(MdlTtlQuality, IniciadatosLoadsMonthsAndTheInstalledLimits) {
    TernovaFolder f;
    MdlTtlQuality m;
    m.iniciadatos();
    EXPECT_TRUE(m.conexion.is_open());
    EXPECT_EQ(m.meses[0], "Enero");
    EXPECT_EQ(m.meses[11], "Diciembre");
    EXPECT_EQ(m.tiemposrec, (std::array<double, 4>{15, 30, 60, 0}));
    EXPECT_EQ(m.tiemposres, (std::array<double, 4>{120, 360, 720, 0}));
}

TEST(MdlTtlQuality, LimitsFollowMenorAndKeepTheFirstFourOfAKind) {
    TernovaFolder f;
    {
        db::Database d(f.file);
        d.execute("DELETE * FROM Prioridades;");
        d.execute(
            "INSERT INTO Prioridades (num, tipo, menor, tiempo) VALUES (1, 'REC', 10, 1),"
            " (2, 'REC', 30, 3), (3, 'rec', 20, 2), (4, 'RES', 5, 50), (5, 'RES', 1, 10),"
            " (6, 'RES', 2, NULL), (7, 'RES', 3, 30), (8, 'RES', 4, 40)");
    }
    MdlTtlQuality m;
    m.iniciadatos();
    EXPECT_EQ(m.tiemposrec, (std::array<double, 4>{1, 2, 3, 0}));     // a slot never filled is 0
    EXPECT_EQ(m.tiemposres, (std::array<double, 4>{10, 0, 30, 40}));  // fifth row left out
}

TEST(MdlTtlQuality, AMissingDatabaseIsNamedAndNeverCreated) {
    testsupport::TempDir empty;
    setenv(runtime::kProgramFolderVariable, empty.path().c_str(), 1);
    MdlTtlQuality m;
    try {
        m.iniciadatos();
        FAIL();
    } catch (const db::Error& e) {
        EXPECT_NE(std::string(e.what()).find("Ternova.mdb"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(empty.path() / "Ternova.mdb"));
    unsetenv(runtime::kProgramFolderVariable);
}

TEST(MdlTtlQuality, ObtenmesTakesOnlyExactMonthNames) {
    MdlTtlQuality m;
    m.obtenmes("Marzo");
    EXPECT_EQ(m.mesactual, 3);
    for (const char* not_a_month : {"marzo", "MARZO", "Setiembre", "", "Marzo "}) {
        m.obtenmes(not_a_month);
        EXPECT_EQ(m.mesactual, 3) << not_a_month;
    }
    m.obtenmes("Diciembre");
    EXPECT_EQ(m.mesactual, 12);
}

TEST(MdlTtlQuality, RangoprioridadBands) {
    struct Case {
        int prioridad;
        std::optional<int> element;
    } cases[] = {{1, 0},
                 {33, 0},
                 {34, 1},
                 {66, 1},
                 {67, 2},
                 {99, 2},
                 {0, std::nullopt},
                 {100, std::nullopt},
                 {-5, std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(MdlTtlQuality::rangoprioridad(c.prioridad), c.element) << c.prioridad;
}
