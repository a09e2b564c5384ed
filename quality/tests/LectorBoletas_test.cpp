// The report reader on small fixture reports: blocks, block ends, fixed
// columns, the moment texts, the failures that refuse a report, and the
// upper bar's progress.

#include <gtest/gtest.h>

#include "ErrorArchivo.h"
#include "LectorBoletas.h"
#include "runtime/date_serial.h"
#include "weekly_fixture.h"

namespace {

using namespace weekly_test;
using quality::Barra;
using quality::Etiqueta;
using quality::LectorBoletas;

struct Fila {
    std::string listatrabajo, boleta, tecnico, fecha_creada, fecha_resuelta, prioridad;
    bool operator==(const Fila&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Fila& f) {
    return out << f.listatrabajo << "|" << f.boleta << "|" << f.tecnico << "|" << f.fecha_creada
               << "|" << f.fecha_resuelta << "|" << f.prioridad;
}

struct Lectura : ProgramFolder {
    AvanceGrabado avance;
    double fechaini = 0, fechafin = 0;
    double totalboletas = 0;
    long total_omitidas = 0;
    std::vector<long> omitidas;

    // Reads the report as the weekly run does: the first block's header and
    // dates, then every detail line.
    void lee(const std::vector<std::string>& lineas, const char* fin = "\r\n") {
        const fs::path reporte = escribe(folder.path() / "reporte.txt", lineas, fin);
        runtime::LineReader archivo(reporte);
        LectorBoletas lector(archivo, conexion, avance);
        lector.buscalista();
        lector.leefechas();
        fechaini = lector.fechaini;
        fechafin = lector.fechafin;
        lector.cargaboletas();
        totalboletas = lector.totalboletas;
        total_omitidas = lector.total_omitidas;
        omitidas = lector.omitidas;
    }

    std::vector<Fila> filas() {
        std::vector<Fila> out;
        db::Recordset rs =
            conexion.open_recordset("SELECT * FROM Boletas_Resueltas ORDER BY rowid");
        for (; !rs.eof(); rs.move_next())
            out.push_back({rs["listatrabajo"].to_text(), rs["boleta"].to_text(),
                           rs["tecnico"].to_text(), rs["fecha_creada"].to_text(),
                           rs["fecha_resuelta"].to_text(), rs["prioridad"].to_text()});
        return out;
    }
};

const std::string kUno = detalle("4500123", "27/02/26 08:15", "27/02/2026 10:40:00", "JPR", "10");
const std::string kDos = detalle("4500131", "27/02/2026 09:02", "28/02/26 11:05", "MLG", "50", 2);
const std::string kTres = detalle("4500177", "28/02/26 14:30", "01/03/2026 09:12", "AHS", "5", 3);

const Fila kFilaUno{"NORTE", "4500123", "JPR", "27/02/26 08:15", "27/02/26 10:40", "10"};
const Fila kFilaDos{"NORTE", "4500131", "MLG", "27/02/26 09:02", "28/02/26 11:05", "50"};

TEST(LectorBoletas, TwoBlocksKeepTheirOwnNamesAndTheDatesOfTheFirst) {
    Lectura t;
    t.lee(bloque("NORTE", {kUno, kDos}) + bloque("SUR", {kTres}, "01/01/26 A 07/01/26"));
    EXPECT_EQ(t.fechaini, runtime::date_serial(2026, 2, 27));
    EXPECT_EQ(t.fechafin, runtime::date_serial(2026, 3, 5));
    EXPECT_EQ(t.filas(), (std::vector<Fila>{
                             kFilaUno,
                             kFilaDos,
                             {"SUR", "4500177", "AHS", "28/02/26 14:30", "01/03/26 09:12", "5"}}));
    EXPECT_EQ(t.totalboletas, 3);
}

TEST(LectorBoletas, TheSampleReportOfTwoBlocksIsReadInItsCodePage) {
    Lectura t;
    const fs::path reporte = fs::path(QUALITY_TEST_DATA) / "boletas_resv_car0305.txt";
    runtime::LineReader archivo(reporte);
    LectorBoletas lector(archivo, t.conexion, t.avance);
    lector.buscalista();
    lector.leefechas();
    lector.cargaboletas();
    const auto filas = t.filas();
    ASSERT_EQ(filas.size(), 8u);
    EXPECT_EQ(filas[0].listatrabajo, "CENTRAL NORTE - REPARACIÓN");
    EXPECT_EQ(filas[7], (Fila{"CENTRAL SUR - INSTALACIÓN", "4500320", "ASM", "04/03/26 17:45",
                              "05/03/26 09:30", "99"}));
}

TEST(LectorBoletas, ABlankLineEndsTheBlockAndSkipsUpToTheNextHeader) {
    Lectura t;
    t.lee(bloque("NORTE", {kUno, "", kDos}) + bloque("SUR", {kTres}));
    const auto filas = t.filas();
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[0], kFilaUno);
    EXPECT_EQ(filas[1].boleta, "4500177");
}

TEST(LectorBoletas, AnIndentedClosingLineIsReadAsADetailWithoutMomentsAndLeftOut) {
    Lectura t;
    auto lineas = bloque("NORTE", {kUno});
    // The closing line, three blanks in: its first 12 characters hold only "FIN DE LI".
    lineas[7] = "   FIN DE LISTA NORTE                                    TOTAL      1";
    t.lee(lineas);
    EXPECT_EQ(t.filas(), std::vector<Fila>{kFilaUno});
    EXPECT_EQ(t.total_omitidas, 1);
    EXPECT_EQ(t.omitidas, std::vector<long>{8});
}

TEST(LectorBoletas, AHeaderOfSeventeenCharactersNamesNoWorkList) {
    Lectura t;
    auto lineas = bloque("X", {kUno});
    lineas[1] = "LISTA DE TRABAJO ";
    t.lee(lineas);
    ASSERT_EQ(t.filas().size(), 1u);
    EXPECT_EQ(t.filas()[0].listatrabajo, "");
}

TEST(LectorBoletas, TheTechnicianIsFoundFromTheEndOfLinesOfAnyLength) {
    Lectura t;
    std::string largo = kDos;
    largo.insert(66, "  OBSERVACIONES ");  // more text between the moments and the technician
    t.lee(bloque("NORTE", {kUno, largo}));
    EXPECT_EQ(t.filas(), (std::vector<Fila>{kFilaUno, kFilaDos}));
}

TEST(LectorBoletas, ADetailLineStandingLastIsStoredWhateverTheLineEnds) {
    for (const char* fin : {"\r\n", "\n"}) {
        Lectura t;
        auto lineas = bloque("NORTE", {kUno, kDos});
        lineas.resize(lineas.size() - 2);  // no closing line, no blank line
        t.lee(lineas, fin);
        EXPECT_EQ(t.filas(), (std::vector<Fila>{kFilaUno, kFilaDos})) << "line end " << int(fin[0]);
    }
}

TEST(LectorBoletas, ReportsOfABrokenStructureAreRefusedNamingTheLine) {
    struct Caso {
        const char* que;
        std::vector<std::string> lineas;
        const char* detalle;
    };
    auto con = [](std::size_t i, std::string linea) {
        auto lineas = bloque("NORTE", {kUno, kDos});
        lineas[i] = std::move(linea);
        return lineas;
    };
    const std::vector<Caso> casos = {
        {"no dates line", con(2, "SEMANA 27/02/26 A 05/03/26 23:59:59"),
         "El reporte no tiene línea \"DE FECHA\"."},
        {"a first day that is no date", con(2, "DE FECHA 31/02/26 A 05/03/26 23:59:59"),
         "Línea 3: la fecha inicial \"31/02/26\" no se puede leer."},
        {"a last day that is no date", con(2, "DE FECHA 27/02/26 A MARZO 05 23:59:59"),
         "Línea 3: la fecha final \"MARZO 05\" no se puede leer."},
        {"a month-first last day", con(2, "DE FECHA 27/02/26 A 03/25/26 23:59:59"),
         "Línea 3: la fecha final \"03/25/26\" no se puede leer."},
        {"a header of 16 characters", con(1, "LISTA DE TRABAJO"),
         "Línea 2: el encabezado \"LISTA DE TRABAJO\" no tiene nombre de lista."},
        {"a detail line of 20 characters", con(6, "    1  4500123 JPR 1"),
         "Línea 7: la línea \"    1  4500123 JPR 1\" es muy corta para una boleta."},
    };
    for (const auto& caso : casos) {
        Lectura t;
        try {
            t.lee(caso.lineas);
            ADD_FAILURE() << caso.que << " was read";
        } catch (const quality::ErrorArchivo& e) {
            EXPECT_EQ(std::string(e.what()), caso.detalle) << caso.que;
        }
    }
}

TEST(LectorBoletas, DetailLinesWhoseMomentsCannotBeReadAreLeftOutAndCounted) {
    std::vector<std::string> malas = {
        detalle("4500124", "27/02/26", "27/02/2026 10:40:00", "JPR", "10"),         // no time
        detalle("4500125", "27/02/26 08:15", "02/27/2026 10:40:00", "JPR", "10"),   // month first
        detalle("4500126", "27/02/26 24:15", "27/02/2026 10:40:00", "JPR", "10")};  // hour 24
    // Twelve bad lines among good ones: all are counted, the first ten named.
    std::vector<std::string> detalles = {kUno};
    for (int i = 0; i < 12; ++i)
        detalles.push_back(malas[i % 3]);
    detalles.push_back(kDos);
    Lectura t;
    t.lee(bloque("NORTE", detalles));
    EXPECT_EQ(t.filas(), (std::vector<Fila>{kFilaUno, kFilaDos}));
    EXPECT_EQ(t.totalboletas, 2);
    EXPECT_EQ(t.total_omitidas, 12);
    EXPECT_EQ(t.omitidas, (std::vector<long>{8, 9, 10, 11, 12, 13, 14, 15, 16, 17}));
}

TEST(LectorBoletas, MomentTextsAreReadDayFirstInTheFormsThatFitTheColumns) {
    struct Caso {
        const char* texto;
        const char* guardado;  // nullptr: refused
    };
    const Caso casos[] = {
        {"05/03/2026 08:15", "05/03/26 08:15"},
        {"05/03/26 08:15", "05/03/26 08:15"},
        {"05/03/26 08:15:59", "05/03/26 08:15"},
        {"05/03/2026 23:59:00", "05/03/26 23:59"},
        {"  05/03/26 08:15  ", "05/03/26 08:15"},
        {"29/02/2024 00:00", "29/02/24 00:00"},
        {"29/02/2026 10:00", nullptr},
        {"13/25/26 10:00", nullptr},
        {"5/3/26 08:15", nullptr},
        {"05/03/26", nullptr},
        {"05/03/26 8:15", nullptr},
        {"05/03/26 08:60", nullptr},
        {"05/03/26 08:15:60", nullptr},
        {"05/03/206 08:15", nullptr},
        {"", nullptr},
        {"05-03-26 08:15", nullptr},
    };
    for (const auto& caso : casos) {
        const auto leido = quality::momento_boleta(caso.texto);
        if (caso.guardado)
            EXPECT_EQ(leido.value_or("(refused)"), caso.guardado) << caso.texto;
        else
            EXPECT_FALSE(leido.has_value()) << caso.texto << " gave " << *leido;
    }
}

TEST(LectorBoletas, TheUpperBarFollowsTheLinesReadAndTheLabelItsPercentage) {
    Lectura t;
    auto lineas = bloque("NORTE", {kUno, kDos, kTres});
    t.lee(lineas);
    long largo = 0;
    for (const auto& l : lineas)
        largo += long(l.size()) + 2;
    // One step per line read while looking for the dates (the dates line
    // follows the header), one for the first detail, then a hundred per line
    // while the value stays a hundred below the maximum.
    std::vector<long> esperados = {1, 2};
    long valor = 2;
    for (int lineasLeidas = 0; lineasLeidas < 3; ++lineasLeidas)  // kDos, kTres, the closing line
        if (largo - 100 > valor)
            esperados.push_back(valor += 100);
    EXPECT_EQ(t.avance.valores(Barra::Barrita), esperados);
    std::vector<std::string> porcentajes;
    for (long v : {2L, esperados[2], esperados[3]})
        porcentajes.push_back(std::to_string(v * 100 / largo));
    EXPECT_EQ(t.avance.textos(Etiqueta::lblporc), porcentajes);
}

}  // namespace
