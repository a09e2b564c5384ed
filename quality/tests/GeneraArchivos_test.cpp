// The weekly run: refused reports and weeks, the workbooks' names and
// cells, two weeks in one session, and all or nothing when a step fails.

#include <gtest/gtest.h>

#include <set>

#include "GeneraArchivos.h"
#include "database/compaction.h"
#include "runtime/date_serial.h"
#include "weekly_fixture.h"
#include "workbook_reader.h"

namespace {

using namespace weekly_test;
using quality::Barra;
using quality::Etiqueta;

const char* const kTablas[] = {"Boletas_Resueltas",         "Rnd_Tickets",   "Historico_Rnd",
                               "Historico_Boletas_Calidad", "Datos_General", "Libros_Pendientes"};

struct Corrida : ProgramFolder {
    AvanceGrabado avance;
    AvisosGrabados avisos;
    quality::Aleatorio aleatorio{5};
    quality::GeneraArchivos run{conexion, avance, avisos, aleatorio};
    fs::path semana = folder.path() / "semana";
    db::Database otra;  // another program's connection, when a case needs one

    bool genera(const fs::path& reporte) { return run.generaarchivos(reporte); }

    // Every row of the tables the run writes, the database's indexes, and
    // every file of a folder.
    std::string tablas() {
        db::Recordset indices = conexion.open_recordset(
            "SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name");
        std::string out = "indices:";
        for (; !indices.eof(); indices.move_next())
            out += " " + indices[0].to_text();
        out += "\n";
        for (const char* tabla : kTablas) {
            db::Recordset rs = conexion.open_recordset(std::string("SELECT * FROM ") + tabla);
            out += tabla;
            for (; !rs.eof(); rs.move_next()) {
                out += "\n ";
                for (int i = 0; i < rs.field_count(); ++i)
                    out += rs[i].to_text() + "|";
            }
            out += "\n";
        }
        return out;
    }
    static std::set<std::string> archivos(const fs::path& carpeta) {
        std::set<std::string> out;
        for (const auto& e : fs::directory_iterator(carpeta))
            out.insert(e.path().filename());
        return out;
    }
};

const std::string kUno = detalle("4500123", "27/02/26 08:15", "27/02/2026 10:40:00", "JPR", "10");
const std::string kDos = detalle("4500131", "27/02/26 09:02", "28/02/26 11:05", "MLG", "50", 2);
const std::string kTres = detalle("4500177", "28/02/26 14:30", "01/03/2026 09:12", "JPR", "5", 3);

std::vector<std::string> semanaDeTres() {
    return bloque("NORTE", {kUno, kDos}) + bloque("SUR", {kTres});
}

TEST(GeneraArchivos, AnEmptyReportIsAFileErrorThatTouchesNothing) {
    Corrida t;
    t.conexion.execute("INSERT INTO Boletas_Resueltas (boleta) VALUES ('anterior')");
    const fs::path vacio = escribe(t.semana / "vacio.txt", {}, "");
    EXPECT_FALSE(t.genera(vacio));
    ASSERT_EQ(t.avisos.mensajes.size(), 1u);
    EXPECT_EQ(t.avisos.mensajes[0].texto,
              "Error en el archivo. No se pudo completar la acción.\n"
              "El reporte " +
                  vacio.string() + " está vacío.");
    EXPECT_EQ(t.avisos.mensajes[0].estilo, 16);
    EXPECT_TRUE(t.avance.cambios.empty());
    EXPECT_EQ(t.count("Boletas_Resueltas"), 1);
    EXPECT_EQ(Corrida::archivos(t.semana), (std::set<std::string>{"vacio.txt"}));
}

TEST(GeneraArchivos, AWeekEndingOnFiveMarchWritesBothWorkbooksEndingIn0305) {
    Corrida t;
    const fs::path reporte = escribe(t.semana / "boletas.txt", semanaDeTres());
    EXPECT_TRUE(t.genera(reporte));
    EXPECT_TRUE(t.run.generado);
    EXPECT_TRUE(t.avisos.mensajes.empty());
    EXPECT_EQ(t.avisos.reloj_, (std::vector<bool>{true, false}));
    EXPECT_EQ(Corrida::archivos(t.semana),
              (std::set<std::string>{"boletas.txt", "rand_boltec_wklist0305.xls",
                                     "bol_resv_tec_car0305.xls"}));
    EXPECT_EQ(t.count("Boletas_Resueltas"), 3);
    EXPECT_EQ(t.count("Rnd_Tickets"), 3);  // JPR NORTE, MLG NORTE, JPR SUR
    EXPECT_EQ(t.count("Historico_Rnd"), 3);
    EXPECT_EQ(t.count("Historico_Boletas_Calidad"), 3);
    db::Recordset datos = t.conexion.open_recordset("Datos_General");
    EXPECT_EQ(datos["fechaini"].to_date(), runtime::date_serial(2026, 2, 27));
    EXPECT_EQ(datos["fechaend"].to_date(), runtime::date_serial(2026, 3, 5));
    EXPECT_EQ(datos["boletas_totales"].to_number(), 3);
}

TEST(GeneraArchivos, ThePerTechnicianWorkbookHoldsTheWeekTheListsAndTheShares) {
    Corrida t;
    EXPECT_TRUE(t.genera(escribe(t.semana / "boletas.txt", semanaDeTres())));
    workbook_test::WorkbookRead libro(t.semana / "bol_resv_tec_car0305.xls");
    auto celdas = libro.cells();
    auto formato = [&](const char* celda) { return libro.style(celdas[celda].style).numberFormat; };
    EXPECT_EQ(celdas["B2"].value, "46080");
    EXPECT_EQ(formato("B2"), "dd/mm/yy");
    EXPECT_EQ(celdas["D2"].value, "46086");
    EXPECT_EQ(formato("D2"), "dd/mm/yy");
    EXPECT_EQ(celdas["E3"].value, "3");
    // Technician, tickets and work list per technician and list:
    const std::vector<std::vector<std::string>> listas = {
        {"JPR", "1", "NORTE"}, {"JPR", "1", "SUR"}, {"MLG", "1", "NORTE"}};
    for (std::size_t i = 0; i < listas.size(); ++i) {
        const std::string fila = std::to_string(5 + i);
        EXPECT_EQ(celdas["A" + fila].value, listas[i][0]) << fila;
        EXPECT_EQ(celdas["B" + fila].value, listas[i][1]) << fila;
        EXPECT_EQ(celdas["D" + fila].value, listas[i][2]) << fila;
    }
    // Technician, tickets and share of the week:
    EXPECT_EQ(celdas["G5"].value, "JPR");
    EXPECT_EQ(celdas["H5"].value, "2");
    EXPECT_NEAR(std::stod(celdas["I5"].value), 2.0 / 3, 1e-12);
    EXPECT_EQ(formato("I5"), "0.00%");
    EXPECT_EQ(celdas["G6"].value, "MLG");
    EXPECT_NEAR(std::stod(celdas["I6"].value), 1.0 / 3, 1e-12);
    EXPECT_EQ(celdas.count("G7"), 0u);
    EXPECT_EQ(celdas["A4"].value, "Técnico");
}

TEST(GeneraArchivos, TheSameWeekChosenAgainIsRefusedWithNothingWritten) {
    Corrida t;
    const fs::path reporte = escribe(t.semana / "boletas.txt", semanaDeTres());
    ASSERT_TRUE(t.genera(reporte));
    const std::string antes = t.tablas();
    const auto archivos = Corrida::archivos(t.semana);
    t.avance.cambios.clear();

    EXPECT_FALSE(t.genera(reporte));
    ASSERT_EQ(t.avisos.mensajes.size(), 1u);
    EXPECT_EQ(
        t.avisos.mensajes[0].texto,
        "No es necesario volver a generar los archivos,\nsi existen en el directorio orígen.");
    EXPECT_EQ(t.avisos.mensajes[0].estilo, 64);
    EXPECT_EQ(t.avance.cambios.front().tipo, Cambio::Mostrar);
    EXPECT_EQ(t.avance.cambios.back().tipo, Cambio::Descargar);
    EXPECT_EQ(t.tablas(), antes);
    EXPECT_EQ(Corrida::archivos(t.semana), archivos);
}

TEST(GeneraArchivos, TwoWeeksInOneSessionCountOnlyTheirOwnTickets) {
    Corrida t;
    ASSERT_TRUE(t.genera(escribe(t.semana / "boletas.txt", semanaDeTres())));
    const fs::path otra = t.folder.path() / "otra";
    ASSERT_TRUE(t.genera(
        escribe(otra / "boletas.txt", bloque("ESTE", {kUno, kDos}, "06/03/26 A 12/03/26"))));

    EXPECT_EQ(t.count("Boletas_Resueltas"), 2);
    EXPECT_EQ(t.conexion.scalar("SELECT boletas_totales FROM Datos_General").to_number(), 2);
    EXPECT_EQ(t.count("Datos_General"), 1);
    EXPECT_EQ(t.count("Historico_Rnd"), 5);
    workbook_test::WorkbookRead libro(otra / "bol_resv_tec_car0312.xls");
    auto celdas = libro.cells();
    EXPECT_EQ(celdas["E3"].value, "2");
    EXPECT_EQ(celdas["H5"].value, "1");
    EXPECT_EQ(celdas["I5"].value, "0.5");
    EXPECT_TRUE(fs::exists(otra / "rand_boltec_wklist0312.xls"));
}

TEST(GeneraArchivos, AFileMadeBeforeTheTechnicianIndexGainsItWithTheWeekAndKeepsItCompacted) {
    Corrida t;
    auto indices = [&t] {
        return t.conexion
            .scalar("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name = " +
                    db::quote("Boletas_Resueltas_Tecnico"))
            .to_number();
    };
    t.conexion.execute_script("DROP INDEX Boletas_Resueltas_Tecnico;");
    ASSERT_EQ(indices(), 0);
    ASSERT_TRUE(t.genera(escribe(t.semana / "boletas.txt", semanaDeTres())));
    EXPECT_EQ(indices(), 1);
    t.conexion.close();
    db::compact_database(t.file, t.folder.path() / "compactada.mdb");
    t.conexion.open(t.file);
    EXPECT_EQ(indices(), 1);
    EXPECT_EQ(t.count("Boletas_Resueltas"), 3);
}

TEST(GeneraArchivos, WithoutALocationCodeTheWorkbookNameHasNone) {
    Corrida t;
    t.conexion.execute("DELETE * FROM CAR");
    ASSERT_TRUE(t.genera(escribe(t.semana / "boletas.txt", semanaDeTres())));
    EXPECT_TRUE(fs::exists(t.semana / "bol_resv_tec_0305.xls"));
}

TEST(GeneraArchivos, AFailureAnywhereLeavesTheTablesAndTheFolderAsTheyWere) {
    struct Caso {
        const char* que;
        std::vector<std::string> lineas;
        std::function<void(Corrida&)> prepara;
        std::string detalle;  // the start of the message's second line
    };
    auto con = [](std::size_t i, std::string linea) {
        auto lineas = semanaDeTres();
        lineas[i] = std::move(linea);
        return lineas;
    };
    const auto nada = [](Corrida&) {};
    // The week's lines: the first block's in 0..9, the second's header in
    // 11, its dates in 12, its ticket in 16.
    auto sinFechas = [] {
        auto lineas = semanaDeTres();
        lineas[2] = lineas[12] = "SEMANA DEL 27/02/26";
        return lineas;
    };
    const std::vector<Caso> casos = {
        {"no dates line", sinFechas(), nada, "El reporte no tiene línea \"DE FECHA\"."},
        {"a date that can't be read", con(2, "DE FECHA 27/02/26 A 32/03/26 23:59:59"), nada,
         "Línea 3: la fecha final \"32/03/26\" no se puede leer."},
        {"a header of 16 characters", con(11, "LISTA DE TRABAJO"), nada,
         "Línea 12: el encabezado \"LISTA DE TRABAJO\" no tiene nombre de lista."},
        {"a short detail line", con(16, "  3   4500177  JPR"), nada,
         "Línea 17: la línea \"  3   4500177  JPR\" es muy corta para una boleta."},
        {"a week without tickets", bloque("NORTE", {}), nada,
         "La semana no tiene boletas que sortear."},
        {"the sample template missing", semanaDeTres(),
         [](Corrida& t) { fs::remove(t.folder.path() / "numero_boletas.xls"); },
         "No se encontró la plantilla "},
        {"the per-technician template missing", semanaDeTres(),
         [](Corrida& t) { fs::remove(t.folder.path() / "TICKETS_TECNICOS.XLS"); },
         "No se encontró la plantilla "},
        {"a workbook that can't be saved", semanaDeTres(),
         [](Corrida& t) {
             fs::create_directories(t.semana / "~bol_resv_tec_car0305.xls.tmp" / "x");
         },
         "No se pudo guardar el libro bol_resv_tec_car0305.xls: "},
        {"a workbook that can't take its name", semanaDeTres(),
         [](Corrida& t) { fs::create_directories(t.semana / "bol_resv_tec_car0305.xls" / "x"); },
         "El libro "},
        {"a database another program holds", semanaDeTres(),
         [](Corrida& t) {
             t.otra.open(t.folder.path() / "Ternova.mdb");
             t.otra.execute_script("BEGIN EXCLUSIVE");
         },
         "La base de datos respondió: database is locked"},
    };
    for (const auto& caso : casos) {
        Corrida t;
        // A week generated before, whose data must stay:
        const fs::path anterior = t.folder.path() / "anterior";
        ASSERT_TRUE(t.genera(
            escribe(anterior / "boletas.txt", bloque("OESTE", {kUno}, "20/02/26 A 26/02/26"))));
        const fs::path reporte = escribe(t.semana / "boletas.txt", caso.lineas);
        const std::string antes = t.tablas();
        caso.prepara(t);
        const auto archivos = Corrida::archivos(t.semana);
        t.avisos.mensajes.clear();
        t.avance.cambios.clear();

        EXPECT_FALSE(t.genera(reporte)) << caso.que;
        EXPECT_FALSE(t.run.generado) << caso.que;
        t.otra.close();
        EXPECT_EQ(t.tablas(), antes) << caso.que;
        EXPECT_EQ(Corrida::archivos(t.semana), archivos) << caso.que;
        ASSERT_EQ(t.avisos.mensajes.size(), 1u) << caso.que;
        EXPECT_EQ(t.avisos.mensajes[0].texto.rfind(
                      std::string(quality::kErrorEnArchivo) + "\n" + caso.detalle, 0),
                  0u)
            << caso.que << ": " << t.avisos.mensajes[0].texto;
        EXPECT_EQ(t.avisos.mensajes[0].estilo, 16) << caso.que;
        EXPECT_EQ(t.avance.cambios.back().tipo, Cambio::Descargar) << caso.que;
        EXPECT_EQ(t.avisos.reloj_.back(), false) << caso.que;
    }
}

TEST(GeneraArchivos, DetailLinesThatCannotBeReadAreLeftOutAndNamedInTheSuccessMessage) {
    Corrida t;
    auto lineas = semanaDeTres();
    lineas[16] = detalle("4500177", "28/02/26 14:30", "el 1 de marzo", "JPR", "5");
    ASSERT_TRUE(t.genera(escribe(t.semana / "boletas.txt", lineas)));
    EXPECT_EQ(t.count("Boletas_Resueltas"), 2);
    EXPECT_EQ(t.run.total_omitidas, 1);
    EXPECT_EQ(t.run.omitidas, std::vector<long>{17});

    const std::string exito = "Los archivos fueron generados con éxito.";
    const struct {
        long total;
        std::vector<long> lineas;
        std::string mensaje;
    } casos[] = {
        {0, {}, exito},
        {1, {17}, exito + "\nSe dejó fuera 1 línea que no se pudo leer: la línea 17."},
        {3,
         {8, 9, 40},
         exito + "\nSe dejaron fuera 3 líneas que no se pudieron leer: las líneas 8, "
                 "9, 40."},
        {12,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
         exito + "\nSe dejaron fuera 12 líneas que no se pudieron leer: las 10 primeras son las "
                 "líneas 1, 2, 3, 4, 5, 6, 7, 8, 9, 10."},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(quality::mensaje_de_exito(caso.total, caso.lineas), caso.mensaje) << caso.total;
}

TEST(GeneraArchivos, TheProgressWindowFollowsTheReadingAndTheSampling) {
    Corrida t;
    const fs::path reporte = fs::path(QUALITY_TEST_DATA) / "boletas_resv_car0305.txt";
    const fs::path copia = t.semana / reporte.filename();
    fs::create_directories(t.semana);
    fs::copy_file(reporte, copia);
    ASSERT_TRUE(t.genera(copia));

    const auto& cambios = t.avance.cambios;
    EXPECT_EQ(cambios.front().tipo, Cambio::Mostrar);
    EXPECT_EQ(cambios.back().tipo, Cambio::Descargar);
    // The upper bar: from 0 to below the report's length, always growing.
    const long largo = static_cast<long>(fs::file_size(copia));
    const auto arriba = t.avance.valores(Barra::Barrita);
    EXPECT_EQ(arriba.front(), 0);
    for (std::size_t i = 1; i < arriba.size(); ++i)
        EXPECT_GT(arriba[i], arriba[i - 1]);
    EXPECT_LE(arriba.back(), largo);
    for (const auto& c : cambios) {
        if (c.tipo == Cambio::Barra && c.cual == int(Barra::Barrita)) {
            EXPECT_EQ(c.maximo, largo);
        }
    }
    // One percentage per ticket, then " 100" when the reading is done.
    const auto porcentajes = t.avance.textos(Etiqueta::lblporc);
    EXPECT_EQ(porcentajes.size(), 9u);
    EXPECT_EQ(porcentajes.back(), " 100");
    // The lower bar over the eight tickets, stopping five below its maximum.
    EXPECT_EQ(t.avance.valores(Barra::Barrita2), (std::vector<long>{0, 1, 2, 3}));
    EXPECT_EQ(t.avance.textos(Etiqueta::lblporc1), (std::vector<std::string>{"12", "25", "37"}));
    EXPECT_EQ(t.avance.textos(Etiqueta::lblbole),
              (std::vector<std::string>{"Boletas aleatorias terminadas"}));
}

}  // namespace
