// The random sample: one ticket per run of rows of one technician and work
// list, each row of a run equally likely, into Rnd_Tickets, the two history
// tables and the sample sheet.

#include <gtest/gtest.h>

#include <map>

#include "ErrorArchivo.h"
#include "MdlRandomTkt.h"
#include "runtime/clock.h"
#include "runtime/date_serial.h"
#include "weekly_fixture.h"
#include "workbook_reader.h"

namespace {

using namespace weekly_test;
using quality::Aleatorio;
using quality::MdlRandomTkt;

struct Muestra : ProgramFolder {
    AvanceGrabado avance;
    quality::Semana semana;
    fs::path libro;

    Muestra() {
        semana.fechaini = runtime::date_serial(2026, 2, 27);
        semana.fechafin = runtime::date_serial(2026, 3, 5);
        semana.directorioentrada = folder.path();
        libro = folder.path() / "muestra.xls";
    }
    // One resolved ticket, in report order.
    void boleta(const char* tecnico, const char* lista, const std::string& numero) {
        conexion.execute(
            "INSERT INTO Boletas_Resueltas (listatrabajo, boleta, tecnico, fecha_creada, "
            "fecha_resuelta, prioridad) VALUES (?, ?, ?, '27/02/26 08:15', '28/02/26 09:00', '10')",
            {lista, numero, tecnico});
    }
    void sortea(std::uint32_t semilla = 7) {
        Aleatorio aleatorio(semilla);
        MdlRandomTkt(conexion, avance, aleatorio).generaboletasaleatorias(semana, libro);
    }
    // Rnd_Tickets: technician, work list and ticket of each row, in order.
    std::vector<std::vector<std::string>> sorteadas(const char* tabla = "Rnd_Tickets") {
        std::vector<std::vector<std::string>> out;
        db::Recordset rs =
            conexion.open_recordset(std::string("SELECT * FROM ") + tabla + " ORDER BY rowid");
        for (; !rs.eof(); rs.move_next())
            out.push_back(
                {rs["tecnico"].to_text(), rs["listatrabajo"].to_text(), rs["boleta"].to_text()});
        return out;
    }
};

TEST(MdlRandomTkt, GroupsOfThreeOneAndTwoGiveOneTicketEachInOrder) {
    Muestra t;
    for (const char* n : {"A1", "A2", "A3"})
        t.boleta("ANA", "NORTE", n);
    t.boleta("BEA", "NORTE", "B1");
    for (const char* n : {"C1", "C2"})
        t.boleta("BEA", "SUR", n);
    t.sortea();

    const auto filas = t.sorteadas();
    ASSERT_EQ(filas.size(), 3u);
    EXPECT_EQ(filas[0][0] + filas[0][1], "ANANORTE");
    EXPECT_TRUE(filas[0][2] == "A1" || filas[0][2] == "A2" || filas[0][2] == "A3") << filas[0][2];
    EXPECT_EQ(filas[1], (std::vector<std::string>{"BEA", "NORTE", "B1"}));
    EXPECT_EQ(filas[2][0] + filas[2][1], "BEASUR");
    EXPECT_TRUE(filas[2][2] == "C1" || filas[2][2] == "C2") << filas[2][2];
    // Both histories got the same rows, the evaluation columns empty.
    EXPECT_EQ(t.sorteadas("Historico_Rnd"), filas);
    EXPECT_EQ(t.sorteadas("Historico_Boletas_Calidad"), filas);
    EXPECT_TRUE(
        t.conexion.scalar("SELECT max(articulo1) FROM Historico_Boletas_Calidad").is_null());

    // The sheet: the week's dates, then one ticket a row from row 5.
    workbook_test::WorkbookRead libro(t.libro);
    auto celdas = libro.cells();
    EXPECT_EQ(celdas["C3"].value, "46080");  // 27/02/2026
    EXPECT_EQ(celdas["G3"].value, "46086");  // 05/03/2026
    EXPECT_EQ(libro.style(celdas["C3"].style).numberFormat, "dd/mm/yy");
    EXPECT_EQ(libro.style(celdas["G3"].style).numberFormat, "dd/mm/yy");
    for (int i = 0; i < 3; ++i) {
        const std::string fila = std::to_string(5 + i);
        EXPECT_EQ(celdas["A" + fila].value, filas[i][0]);
        EXPECT_EQ(celdas["C" + fila].value, filas[i][2]);
        EXPECT_EQ(celdas["E" + fila].value, filas[i][1]);
    }
    EXPECT_EQ(celdas.count("A8"), 0u);
    EXPECT_EQ(libro.cells()["A4"].value, "Técnico");  // the template's headings stay
}

// The ticket written is the row the draw names, counted from the week's
// first row: groups of several rows after others, for several seeds.
TEST(MdlRandomTkt, TheTicketWrittenIsTheRowTheDrawNames) {
    const std::vector<std::pair<const char*, int>> grupos = {
        {"ANA", 4}, {"BEA", 1}, {"CAR", 6}, {"DAN", 3}};
    for (std::uint32_t semilla : {1u, 7u, 99u, 2026u}) {
        Muestra t;
        std::vector<std::string> filas;  // the week's rows, from 1
        for (const auto& [tecnico, filas_del_grupo] : grupos)
            for (int i = 1; i <= filas_del_grupo; ++i) {
                filas.push_back(std::string(tecnico) + std::to_string(i));
                t.boleta(tecnico, "NORTE", filas.back());
            }
        t.sortea(semilla);

        Aleatorio mismo(semilla);
        std::vector<std::vector<std::string>> esperadas;
        long inicio = 1;
        for (const auto& [tecnico, filas_del_grupo] : grupos) {
            const long fin = inicio + filas_del_grupo - 1;
            const long registro = quality::registro_sorteado(inicio, fin, mismo.rnd());
            esperadas.push_back({tecnico, "NORTE", filas[registro - 1]});
            inicio = fin + 1;
        }
        EXPECT_EQ(t.sorteadas(), esperadas) << semilla;
    }
}

TEST(MdlRandomTkt, AGroupOfOneAlwaysGivesItsRow) {
    for (std::uint32_t semilla : {1u, 2u, 3u, 4u}) {
        Muestra t;
        t.boleta("ANA", "NORTE", "A1");
        t.sortea(semilla);
        EXPECT_EQ(t.sorteadas(), (std::vector<std::vector<std::string>>{{"ANA", "NORTE", "A1"}}));
    }
}

TEST(MdlRandomTkt, TwoRunsOfOneTechnicianAndListApartAreTwoGroups) {
    Muestra t;
    // The week's list keeps "ANA" and "ana" together, as the database compares
    // them blind to case; the sampling tells them apart, so ANA's rows stand
    // in two runs with ana's between them.
    t.boleta("ANA", "NORTE", "A1");
    t.boleta("ana", "NORTE", "X1");
    t.boleta("ANA", "NORTE", "A2");
    t.sortea();
    EXPECT_EQ(t.sorteadas(),
              (std::vector<std::vector<std::string>>{
                  {"ANA", "NORTE", "A1"}, {"ana", "NORTE", "X1"}, {"ANA", "NORTE", "A2"}}));
}

TEST(MdlRandomTkt, EveryRowOfAGroupIsDrawnAboutOnceInNTimes) {
    // Chi-square over 5 rows (4 degrees of freedom): 18.47 is exceeded by
    // chance once in a thousand.
    constexpr long n = 5, sorteos = 50000;
    Aleatorio aleatorio(20260305);
    std::map<long, long> veces;
    for (long i = 0; i < sorteos; ++i)
        ++veces[quality::registro_sorteado(11, 15, aleatorio.rnd())];
    ASSERT_EQ(veces.size(), std::size_t(n));
    EXPECT_EQ(veces.begin()->first, 11);
    EXPECT_EQ(veces.rbegin()->first, 15);
    double chi = 0;
    const double esperado = double(sorteos) / n;
    for (const auto& [registro, cuenta] : veces)
        chi += (cuenta - esperado) * (cuenta - esperado) / esperado;
    EXPECT_LT(chi, 18.47);
}

TEST(MdlRandomTkt, TheGeneratorIsSeededFromTheClocksTimer) {
    auto secuencia = [](Aleatorio& aleatorio) {
        aleatorio.randomize();
        std::vector<double> numeros;
        for (int i = 0; i < 4; ++i)
            numeros.push_back(aleatorio.rnd());
        return numeros;
    };
    runtime::FixedClock reloj(runtime::date_serial(2026, 3, 6) + 0.5);
    runtime::ScopedClock en_uso(reloj);
    Aleatorio a, b;
    const auto primera = secuencia(a);
    EXPECT_EQ(secuencia(b), primera);  // the same moment, the same draws
    reloj.set(runtime::date_serial(2026, 3, 6) + 0.5 + 1.0 / 86400);
    EXPECT_NE(secuencia(a), primera);  // a second later, others
    for (double n : primera) {
        EXPECT_GE(n, 0.0);
        EXPECT_LT(n, 1.0);
    }
}

TEST(MdlRandomTkt, TheDrawMapsTheRandomNumberFromTheLastRowBack) {
    EXPECT_EQ(quality::registro_sorteado(4, 6, 0.0), 6);
    EXPECT_EQ(quality::registro_sorteado(4, 6, 0.34), 5);
    EXPECT_EQ(quality::registro_sorteado(4, 6, 0.9999999), 4);
    EXPECT_EQ(quality::registro_sorteado(1, 1, 0.9999999), 1);
}

TEST(MdlRandomTkt, TheLowerBarStopsFiveBelowItsMaximumAndTheLabelBelowAHundred) {
    Muestra t;
    for (int i = 0; i < 10; ++i)
        t.boleta("ANA", "NORTE", "A" + std::to_string(i));
    t.sortea();
    using quality::Barra;
    using quality::Etiqueta;
    EXPECT_EQ(t.avance.valores(Barra::Barrita2), (std::vector<long>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(t.avance.textos(Etiqueta::lblporc1),
              (std::vector<std::string>{"10", "20", "30", "40", "50"}));
    EXPECT_EQ(t.avance.textos(Etiqueta::lblarch),
              (std::vector<std::string>{"Archivos semanales terminados"}));
    EXPECT_EQ(t.avance.textos(Etiqueta::lblporc), (std::vector<std::string>{" 100"}));
    EXPECT_EQ(t.avance.textos(Etiqueta::lblbole),
              (std::vector<std::string>{"Boletas aleatorias terminadas"}));
}

TEST(MdlRandomTkt, AWeekWithoutTicketsOrWithANullTechnicianIsRefused) {
    {
        Muestra t;
        EXPECT_THROW(t.sortea(), quality::ErrorArchivo);
        EXPECT_FALSE(fs::exists(t.libro));
    }
    for (const char* nulo : {"tecnico", "listatrabajo"}) {
        Muestra t;
        t.boleta("ANA", "NORTE", "A1");
        t.conexion.execute(std::string("UPDATE Boletas_Resueltas SET ") + nulo + " = NULL");
        EXPECT_THROW(t.sortea(), quality::ErrorArchivo) << nulo;
    }
}

}  // namespace
