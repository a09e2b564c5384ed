// The monthly totals behind the graphs: the ten count queries summed into
// the two GRAFICAS rows of a month, year and location.

#include <gtest/gtest.h>

#include "Graficas.h"
#include "MdlTtlQuality.h"
#include "ratings_fixture.h"
#include "ternova_fixture.h"

namespace {

using quality::MdlTtlQuality;

struct Calculagraficas : ::testing::Test {
    TernovaFolder folder;
    MdlTtlQuality state;

    void SetUp() override {
        state.iniciadatos();
        addRatingTechnicians(state.conexion);
    }
    std::vector<std::string> graficas() {
        std::vector<std::string> rows;
        auto rs = state.conexion.open_recordset(
            "SELECT rubro, mes, año, valor, ubicacion FROM GRAFICAS ORDER BY rowid",
            db::Cursor::Static);
        for (; !rs.eof(); rs.move_next())
            rows.push_back(rs[0].to_text() + "|" + rs[1].to_text() + "|" + rs[2].to_text() + "|" +
                           rs[3].to_text() + "|" + rs[4].to_text());
        return rows;
    }
};

TEST_F(Calculagraficas, AFirstRunInsertsTheTwoRowsAndALaterOneUpdatesThem) {
    addMarch1999AtCar(state.conexion);
    addRatedTicket(state.conexion, "JPR", "B9", "01/04/99 08:00", {3, 3, 3, 3, 3});  // April
    addRatedTicket(state.conexion, "LRH", "B8", "10/03/99 08:00", {3, 3, 3, 3, 3});  // elsewhere
    addRatedTicket(state.conexion, "JPR", "B7", "10/03/00 08:00", {3, 3, 3, 3, 3});  // 2000
    ASSERT_TRUE(state.calculagraficas(3, "CAR", "1999"));
    EXPECT_EQ(graficas(), (std::vector<std::string>{"SATISFACTORIOS|MARZO|1999|7|CAR",
                                                    "NO SATISFACTORIOS|MARZO|1999|2|CAR"}));

    // One more unsatisfactory rating: the second row becomes 3, nothing is added.
    state.conexion.execute(
        "UPDATE Historico_Boletas_Calidad SET articulo5 = 3 WHERE Boleta = 'B2'");
    ASSERT_TRUE(state.calculagraficas(3, "CAR", "1999"));
    EXPECT_EQ(graficas(), (std::vector<std::string>{"SATISFACTORIOS|MARZO|1999|7|CAR",
                                                    "NO SATISFACTORIOS|MARZO|1999|3|CAR"}));
}

TEST_F(Calculagraficas, TheMaintenanceCentreIsQueriedAsTypedAndStoredInCapitals) {
    addMarch1999AtCar(state.conexion);
    addRatedTicket(state.conexion, "LRH", "B5", "02/03/99 09:00", {2, 2, 3, 1, 1});
    ASSERT_TRUE(state.calculagraficas(3, quality::kUbicacionCentro, "1999"));
    EXPECT_EQ(graficas(),
              (std::vector<std::string>{"SATISFACTORIOS|MARZO|1999|2|CENTRO DE MANTENIMIENTO",
                                        "NO SATISFACTORIOS|MARZO|1999|1|CENTRO DE MANTENIMIENTO"}));
    // The month graphed again for the other location keeps the first one's rows.
    ASSERT_TRUE(state.calculagraficas(3, "CAR", "1999"));
    EXPECT_EQ(graficas().size(), 4u);
}

TEST_F(Calculagraficas, WritesNothingWithoutRatings) {
    addMarch1999AtCar(state.conexion);
    addRatedTicket(state.conexion, "JPR", "B6", "05/05/99 09:00", {1, 1, 1, 1, 1});  // not rated
    const std::tuple<int, std::string, std::string> cases[] = {
        {5, "CAR", "1999"},  // rated nothing
        {3, "CAR", "1998"},  // another year
        {3, "CAR", ""},      // no year
        {0, "CAR", "1999"},  // no month found yet
        {13, "CAR", "1999"},
        {3, "O'Brien", "1999"},  // a location with a quote is only a value
        {3, "CAR' OR 'a'='a", "1999"},
    };
    for (const auto& [mes, ubicacion, año] : cases)
        EXPECT_FALSE(state.calculagraficas(mes, ubicacion, año)) << mes << " " << ubicacion;
    EXPECT_TRUE(graficas().empty());
}

TEST_F(Calculagraficas, AMonthMayHoldMoreRatingsThanA16BitCount) {
    // 6600 tickets of five satisfactory criteria: 33000 ratings.
    state.conexion.execute_script(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 6600) "
        "INSERT INTO Historico_Boletas_Calidad (Tecnico, Boleta, Fecha_creada, articulo1, "
        "articulo2, articulo3, articulo4, articulo5) SELECT 'JPR', 'T' || i, '20/03/99 10:00', "
        "2, 2, 2, 2, 2 FROM n;");
    ASSERT_TRUE(state.calculagraficas(3, "CAR", "1999"));
    EXPECT_EQ(graficas(), (std::vector<std::string>{"SATISFACTORIOS|MARZO|1999|33000|CAR",
                                                    "NO SATISFACTORIOS|MARZO|1999|0|CAR"}));
}

TEST_F(Calculagraficas, TheTwoRowsAreWrittenTogetherOrNotAtAll) {
    addMarch1999AtCar(state.conexion);
    state.conexion.execute_script(
        "CREATE TRIGGER lleno BEFORE INSERT ON GRAFICAS WHEN NEW.rubro = 'NO SATISFACTORIOS' "
        "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END;");
    EXPECT_THROW(state.calculagraficas(3, "CAR", "1999"), db::Error);
    EXPECT_TRUE(graficas().empty());
    EXPECT_FALSE(state.conexion.in_transaction());
}

TEST(GraficasFormulas, NameTheMonthAndLocationInCapitals) {
    EXPECT_EQ(quality::formula_mensual(3, "1999", "CAR"),
              "{GRAFICAS.mes} = 'MARZO' AND {GRAFICAS.año} = '1999' AND "
              "{GRAFICAS.ubicacion } = 'CAR'");
    EXPECT_EQ(quality::formula_mensual(9, "2026", quality::kUbicacionCentro),
              "{GRAFICAS.mes} = 'SEPTIEMBRE' AND {GRAFICAS.año} = '2026' AND "
              "{GRAFICAS.ubicacion } = 'CENTRO DE MANTENIMIENTO'");
    EXPECT_EQ(quality::formula_anual("1999", quality::kUbicacionCentro),
              "{GRAFICAS.año} = '1999' AND {GRAFICAS.ubicacion } = 'CENTRO DE MANTENIMIENTO'");
    EXPECT_EQ(quality::formula_anual("19'9", "CAR"),
              "{GRAFICAS.año} = '19''9' AND {GRAFICAS.ubicacion } = 'CAR'");
}

}  // namespace
