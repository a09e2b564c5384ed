// The save of the evaluation: the complete weeks written and read back,
// the weeks left out and why, a week rated again when its acknowledgement
// changed, and all weeks or none (a failing write, a killed program).

#include "GuardaEvaluacion.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>

#include "runtime/clock.h"
#include "runtime/date_serial.h"
#include "ternova_fixture.h"

namespace {

using namespace quality;
using Estado = ResultadoGuardado::Estado;

const Limites kLimites{{15, 30, 60, 0}, {120, 720, 2160, 0}};

struct Guardado : ::testing::Test {
    TernovaFolder folder;
    MdlTtlQuality state;
    runtime::FixedClock reloj{runtime::date_serial(2002, 3, 20) + 0.5};
    runtime::ScopedClock usa_reloj{reloj};

    void SetUp() override {
        state.abrebase();
        for (const char* boleta : {"a1", "a2", "o'neil", "a4"})
            state.conexion.execute(
                "INSERT INTO Historico_Boletas_Calidad (Tecnico, Boleta, Fecha_creada, "
                "Fecha_resuelta, prioridad) VALUES ('JPG', ?, '05/03/02 10:00', "
                "'05/03/02 14:00', '5')",
                {boleta});
    }

    // A week rated whole from its acknowledgement 05/03/02 10:05.
    static SemanaEvaluada semana(const std::string& boleta) {
        SemanaEvaluada s;
        s.boleta = boleta;
        s.fecharec = "05/03/02";
        s.horarec = "10:05";
        s.creada = "05/03/02 10:00";
        s.resuelta = "05/03/02 14:00";
        s.prioridad = "5";
        s.articulos = {kBien, kBien, kMal, kMal, kBien};
        s.reconocimiento_calificado = "05/03/02 10:05";
        return s;
    }

    // The evaluation columns of a ticket's row, as text ("" for Null).
    std::vector<std::string> fila(const std::string& boleta) {
        auto rs = state.conexion.open_recordset(
            "SELECT articulo1, articulo2, articulo3, articulo4, articulo5, fecha_reconoce, "
            "supervisor, fecha_actualiza, comentarios, semana FROM Historico_Boletas_Calidad "
            "WHERE boleta = ?",
            db::Cursor::Static, {boleta});
        std::vector<std::string> valores;
        for (int i = 0; i < rs.field_count(); ++i)
            valores.push_back(rs[i].is_null() ? "" : rs[i].to_text());
        return valores;
    }
    static std::vector<std::string> sin_evaluar() { return std::vector<std::string>(10, ""); }

    ResultadoGuardado guarda(const Evaluacion& e) {
        return GuardaEvaluacion(state.conexion, kLimites).guarda(e);
    }
};

TEST_F(Guardado, CompleteWeeksAreWrittenAndTheOthersNamed) {
    Evaluacion e;
    e.supervisor = "ANA PÉREZ";
    e.comentarios = "Bien 'atendida'.\n\rOtra línea";
    e.semanas[0] = semana("a1");
    e.semanas[1] = semana("a2");
    e.semanas[1].articulos[2] = kBlanco;  // one criterion not rated
    e.semanas[2] = semana("o'neil");      // a quote in the number
    e.semanas[3] = semana("nunca");       // typed by hand, never sampled
    e.semanas[2].horarec = "14:00";       // acknowledged at the resolution minute
    e.semanas[2].reconocimiento_calificado = "05/03/02 14:00";

    const ResultadoGuardado r = guarda(e);
    EXPECT_EQ(r.estado, Estado::Guardado);
    EXPECT_EQ(r.guardadas, (std::vector<int>{1, 3}));
    ASSERT_EQ(r.omitidas.size(), 2u);
    EXPECT_EQ(r.omitidas[0].semana, 2);
    EXPECT_EQ(r.omitidas[0].motivo, MotivoOmision::Incompleta);
    EXPECT_EQ(r.omitidas[1].semana, 4);
    EXPECT_EQ(r.omitidas[1].motivo, MotivoOmision::NoEstaEnHistorico);
    EXPECT_TRUE(r.recalificadas.empty());
    EXPECT_EQ(r.estilo(), 64);
    EXPECT_EQ(r.mensaje(), "Los registros fueron guardados exitosamente.");

    EXPECT_EQ(fila("a1"),
              (std::vector<std::string>{"2", "2", "3", "3", "2", "05/03/02 10:05", "ANA PÉREZ",
                                        "20/03/2002", e.comentarios, "1"}));
    EXPECT_EQ(fila("o'neil"),
              (std::vector<std::string>{"2", "2", "3", "3", "2", "05/03/02 14:00", "ANA PÉREZ",
                                        "20/03/2002", e.comentarios, "3"}));
    EXPECT_EQ(fila("a2"), sin_evaluar());
    EXPECT_EQ(fila("a4"), sin_evaluar());
}

TEST_F(Guardado, NothingWrittenIsSaidSoAndAnEmptyFirstColumnWritesNothing) {
    Evaluacion e;
    e.semanas[0] = semana("a1");
    e.semanas[0].fecharec = "__/__/__";
    e.semanas[1] = semana("a2");
    e.semanas[1].horarec = "__:__";
    e.semanas[2] = semana("sin-fila");
    ResultadoGuardado r = guarda(e);
    EXPECT_EQ(r.estado, Estado::NadaGuardado);
    EXPECT_TRUE(r.guardadas.empty());
    EXPECT_EQ(r.estilo(), 64);
    EXPECT_EQ(r.mensaje(),
              "No se guardó ningún registro:\n"
              "Semana 1 (boleta a1): está incompleta.\n"
              "Semana 2 (boleta a2): está incompleta.\n"
              "Semana 3 (boleta sin-fila): la boleta no está en el histórico.");

    // Columns 2 to 4 complete, column 1 empty.
    e.semanas[0] = SemanaEvaluada{};
    e.semanas[1] = semana("a2");
    e.semanas[2] = semana("a4");
    r = guarda(e);
    EXPECT_EQ(r.estado, Estado::SinRegistros);
    EXPECT_EQ(r.mensaje(), "No hay registros que actualizar.");
    EXPECT_EQ(r.estilo(), 64);
    for (const char* boleta : {"a1", "a2", "a4"})
        EXPECT_EQ(fila(boleta), sin_evaluar()) << boleta;
}

TEST_F(Guardado, AWeekIsRatedAgainWhenItsAcknowledgementChangedAfterItsRating) {
    Evaluacion e;
    // Acknowledged at 10:05 (in time), then changed to 10:16: one minute
    // past the limit of 15.
    e.semanas[0] = semana("a1");
    e.semanas[0].horarec = "10:16";
    // Overturned by the dialog (criterion 1 satisfactory though late): the
    // acknowledgement did not change, so the choice is kept.
    e.semanas[1] = semana("a2");
    e.semanas[1].horarec = "11:00";
    e.semanas[1].reconocimiento_calificado = "05/03/02 11:00";
    // Changed to a moment after the resolution: left out.
    e.semanas[2] = semana("o'neil");
    e.semanas[2].horarec = "14:01";

    const ResultadoGuardado r = guarda(e);
    EXPECT_EQ(r.estado, Estado::Guardado);
    EXPECT_EQ(r.guardadas, (std::vector<int>{1, 2}));
    ASSERT_EQ(r.recalificadas.size(), 1u);
    EXPECT_EQ(r.recalificadas[0].semana, 1);
    EXPECT_EQ(r.recalificadas[0].articulo1, kMal);
    EXPECT_EQ(r.recalificadas[0].articulo4, kMal);  // resolved in 240 minutes, limit 120
    EXPECT_EQ(r.recalificadas[0].cuentas, (Cuentas{2, 3}));
    ASSERT_EQ(r.omitidas.size(), 1u);
    EXPECT_EQ(r.omitidas[0].semana, 3);
    EXPECT_EQ(r.omitidas[0].motivo, MotivoOmision::ReconocimientoNoValido);
    EXPECT_EQ(fila("a1")[0], "3");
    EXPECT_EQ(fila("a1")[5], "05/03/02 10:16");
    EXPECT_EQ(fila("a2")[0], "2");
    EXPECT_EQ(fila("o'neil"), sin_evaluar());
}

TEST_F(Guardado, ATicketSampledTwiceHasItsFirstRowWritten) {
    state.conexion.execute(
        "INSERT INTO Historico_Boletas_Calidad (Boleta, semana) VALUES ('a1', '4')");
    Evaluacion e;
    e.semanas[0] = semana("A1");  // the history compares blind to case
    EXPECT_EQ(guarda(e).guardadas, (std::vector<int>{1}));
    auto rs = state.conexion.open_recordset(
        "SELECT semana, articulo1 FROM Historico_Boletas_Calidad WHERE boleta = 'a1' ORDER BY "
        "rowid",
        db::Cursor::Static);
    ASSERT_EQ(rs.record_count(), 2);
    EXPECT_EQ(rs["semana"].to_text(), "1");
    EXPECT_EQ(rs["articulo1"].to_text(), "2");
    rs.move_next();
    EXPECT_EQ(rs["semana"].to_text(), "4");
    EXPECT_TRUE(rs["articulo1"].is_null());
}

// Makes week 3's write fail inside the database.
constexpr const char* kFallaLaSemanaTres =
    "CREATE TRIGGER falla BEFORE UPDATE ON Historico_Boletas_Calidad WHEN NEW.semana = '3' "
    "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END;";

TEST_F(Guardado, AFailingWriteLeavesEveryWeekAsItWas) {
    state.conexion.execute_script(kFallaLaSemanaTres);
    Evaluacion e;
    e.semanas[0] = semana("a1");
    e.semanas[1] = semana("a2");
    e.semanas[2] = semana("o'neil");
    e.semanas[3] = semana("a4");
    const ResultadoGuardado r = guarda(e);
    EXPECT_EQ(r.estado, Estado::Fallo);
    EXPECT_TRUE(r.guardadas.empty());
    EXPECT_EQ(r.estilo(), 16);
    EXPECT_NE(r.mensaje().find("No se guardó ningún registro. Falló la semana 3 (boleta o'neil)"),
              std::string::npos)
        << r.mensaje();
    EXPECT_NE(r.mensaje().find("disco lleno"), std::string::npos) << r.mensaje();
    for (const char* boleta : {"a1", "a2", "o'neil", "a4"})
        EXPECT_EQ(fila(boleta), sin_evaluar()) << boleta;
    EXPECT_FALSE(state.conexion.in_transaction());
}

// The program killed after its second week's write, before the end of the save.
void guarda_y_muere(const std::filesystem::path& archivo, const Evaluacion& e) {
    db::Database conexion(archivo);
    static int escrituras = 0;
    sqlite3_update_hook(
        conexion.handle(),
        [](void*, int, const char*, const char*, sqlite3_int64) {
            if (++escrituras == 2)
                std::raise(SIGKILL);
        },
        nullptr);
    GuardaEvaluacion(conexion, kLimites).guarda(e);
    std::exit(0);
}

TEST_F(Guardado, AProgramKilledDuringASaveLeavesTheWeeksAsBefore) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Evaluacion e;
    e.semanas[0] = semana("a1");
    e.semanas[1] = semana("a2");
    e.semanas[2] = semana("o'neil");
    EXPECT_EXIT(guarda_y_muere(folder.file, e), ::testing::KilledBySignal(SIGKILL), "");
    db::Database despues(folder.file);
    auto rs = despues.open_recordset(
        "SELECT count(*) FROM Historico_Boletas_Calidad WHERE semana IS NOT NULL");
    EXPECT_EQ(rs[0].to_text(), "0");
    // And the save goes through afterwards.
    EXPECT_EQ(GuardaEvaluacion(despues, kLimites).guarda(e).guardadas, (std::vector<int>{1, 2, 3}));
}

}  // namespace
