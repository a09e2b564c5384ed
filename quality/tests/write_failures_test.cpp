// Ternova's weekly run and compaction as processes, under what breaks
// writes: killed at moments spread over their runs and right after each
// workbook or database file takes its name, a full file system, the database
// locked by another program or read-only, a file that is not the program's
// database. Once the program has started again the week is wholly there or
// wholly absent, no leftover stays, and a retry completes the job.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <iostream>
#include <optional>

#include "database/TernovaDatabase.h"
#include "database/database.h"
#include "kill_run.h"
#include "table_digest.h"
#include "temp_dir.h"
#include "weekly_fixture.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ProcessSpec;
using weekly_test::detalle;

// The report of the week ending 5 March: `listas` work lists of `por_lista`
// tickets, ten technicians in each.
std::vector<std::string> reporte(int listas, int por_lista) {
    std::vector<std::string> lineas;
    for (int l = 0; l < listas; ++l) {
        std::vector<std::string> detalles;
        for (int i = 0; i < por_lista; ++i)
            detalles.push_back(detalle(std::to_string(4500000 + l * por_lista + i),
                                       "27/02/26 08:15", "28/02/2026 10:40:00",
                                       "T" + std::to_string(i % 10), std::to_string(1 + i % 99),
                                       i + 1));
        const auto bloque = weekly_test::bloque("LISTA " + std::to_string(l), detalles);
        lineas.insert(lineas.end(), bloque.begin(), bloque.end());
    }
    return lineas;
}

// A run's folders: the program folder (Ternova.mdb, the templates) and the
// report's folder, where the workbooks go.
struct Carpetas {
    fs::path programa, semana;
    explicit Carpetas(const fs::path& raiz)
        : programa(raiz / "programa"), semana(raiz / "semana") {}
    fs::path base() const { return programa / "Ternova.mdb"; }
    fs::path reporte() const { return semana / "boletas.txt"; }
};

Carpetas prepara(const fs::path& raiz, const std::vector<std::string>& lineas) {
    Carpetas c(raiz);
    fs::create_directories(c.programa);
    quality::create_ternova_database(c.programa, "clave");
    for (const char* plantilla : {"TICKETS_TECNICOS.XLS", "numero_boletas.xls"})
        fs::copy_file(fs::path(PROGRAM_DIR) / plantilla, c.programa / plantilla);
    weekly_test::escribe(c.reporte(), lineas);
    return c;
}

// The week's tables and the report folder's files.
std::uint64_t estado(const Carpetas& c) {
    testsupport::Digest digest;
    digest.add(std::to_string(testsupport::table_digest(
        c.base(), {"Boletas_Resueltas", "Rnd_Tickets", "Historico_Rnd", "Historico_Boletas_Calidad",
                   "Datos_General", "Libros_Pendientes"})));
    std::set<std::string> archivos;
    for (const auto& e : fs::directory_iterator(c.semana))
        archivos.insert(e.path().filename());
    for (const std::string& nombre : archivos)
        digest.add(nombre);
    return digest.value();
}

ProcessSpec ternova(const Carpetas& c, std::vector<std::string> args,
                    std::map<std::string, std::string> env = {}) {
    env["PROGRAM_FOLDER"] = c.programa.string();
    ProcessSpec command;
    command.program = WEEKLY_RUN_DRIVER;
    command.args = std::move(args);
    command.env = testsupport::child_environment(env);
    return command;
}

ProcessSpec corrida(const Carpetas& c, std::map<std::string, std::string> env = {}) {
    return ternova(c, {"run", c.reporte().string()}, std::move(env));
}

std::map<std::string, std::string> mata_tras_renombrar(const std::string& nombre) {
    return {{"LD_PRELOAD", testsupport::kill_after_rename_library()},
            {"KILL_AFTER_RENAME_TO", nombre}};
}

TEST(WeeklyRunKilled, TheWeekIsWhollyThereOrAbsentOnceTheProgramStartsAndARetryCompletesIt) {
    testsupport::TempDir dir;
    const auto lineas = reporte(60, 1000);
    const Carpetas inicial = prepara(dir.path() / "inicial", lineas);
    const std::uint64_t antes = estado(inicial);

    const Carpetas completa(dir.path() / "completa");
    fs::copy(dir.path() / "inicial", dir.path() / "completa", fs::copy_options::recursive);
    const auto entera = testsupport::timed_run(corrida(completa));
    ASSERT_EQ(entera.result.status, 0) << entera.result.out << entera.result.err;
    const std::uint64_t despues = estado(completa);
    ASSERT_NE(antes, despues);

    struct Muerte {
        std::string que;
        double segundos;
        std::map<std::string, std::string> env;
    };
    std::vector<Muerte> muertes;
    for (const double parte : {0.05, 0.2, 0.35, 0.5, 0.65, 0.8, 0.9, 0.97})
        muertes.push_back({"at " + std::to_string(parte), parte * entera.seconds, {}});
    muertes.push_back({"after the sample workbook took its name", 60,
                       mata_tras_renombrar("/rand_boltec_wklist0305.xls")});
    muertes.push_back({"after the technicians' workbook took its name", 60,
                       mata_tras_renombrar("/bol_resv_tec_car0305.xls")});

    int sin_semana = 0, con_semana = 0;
    for (std::size_t i = 0; i < muertes.size(); ++i) {
        const Muerte& m = muertes[i];
        const fs::path raiz = dir.path() / ("corrida" + std::to_string(i));
        fs::copy(dir.path() / "inicial", raiz, fs::copy_options::recursive);
        const Carpetas c(raiz);
        const int status = testsupport::killed_after(corrida(c, m.env), m.segundos);
        if (!m.env.empty()) {
            EXPECT_EQ(status, 128 + SIGKILL) << m.que;  // the hook's kill
        }

        // The program starts again: it completes or undoes what the kill left.
        ASSERT_EQ(testsupport::run_process(ternova(c, {"start"})).status, 0) << m.que;
        const std::uint64_t ahora = estado(c);
        EXPECT_TRUE(ahora == antes || ahora == despues) << m.que;
        if (getenv("KEEP_RUNS") && ahora != antes && ahora != despues) {
            fs::copy(raiz, "/tmp/atomic_keep/" + std::to_string(i), fs::copy_options::recursive);
            fs::copy(dir.path() / "completa", "/tmp/atomic_keep/completa",
                     fs::copy_options::recursive | fs::copy_options::skip_existing);
        }
        sin_semana += ahora == antes;
        con_semana += ahora == despues;
        if (getenv("SHOW_RUNS"))
            std::cerr << m.que << " (" << m.segundos << " s of " << entera.seconds << "): "
                      << (ahora == antes     ? "before"
                          : ahora == despues ? "after"
                                             : "?")
                      << "\n";

        // A retry generates the week once: never a second sample of it.
        const auto otra = testsupport::run_process(corrida(c));
        EXPECT_EQ(estado(c), despues) << m.que << ": " << otra.out;
        if (ahora == despues) {
            EXPECT_NE(otra.out.find("No es necesario volver a generar"), std::string::npos)
                << m.que;
        } else {
            EXPECT_EQ(otra.status, 0) << m.que << ": " << otra.out;
        }
    }
    EXPECT_GE(sin_semana, 3);
    EXPECT_GE(con_semana, 2);  // the kills after the names were given
}

TEST(CompactionKilled, TheDatabaseStaysWholeAndTheCopyIsRemovedAtTheNextStart) {
    testsupport::TempDir dir;
    const Carpetas inicial = prepara(dir.path() / "inicial", reporte(1, 3));
    {
        // A database large enough for the compaction to take a while.
        db::Database base(inicial.base());
        base.execute_script(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300000) "
            "INSERT INTO Historico_Boletas_Calidad (Tecnico, Boleta, comentarios) "
            "SELECT 'T' || (i % 40), 'B' || i, printf('%.60c', 'x') FROM n;"
            "DELETE FROM Historico_Boletas_Calidad WHERE rowid % 3 = 0;");
    }
    const auto tablas = {"Historico_Boletas_Calidad", "SUPERVISORES", "Prioridades", "TECNICOS"};
    const std::uint64_t antes = testsupport::table_digest(inicial.base(), tablas);

    const Carpetas completa(dir.path() / "completa");
    fs::copy(dir.path() / "inicial", dir.path() / "completa", fs::copy_options::recursive);
    const auto entera = testsupport::timed_run(ternova(completa, {"compact"}));
    ASSERT_EQ(entera.result.status, 0) << entera.result.out;
    ASSERT_LT(fs::file_size(completa.base()), fs::file_size(inicial.base()));

    struct Muerte {
        std::string que;
        double segundos;
        std::map<std::string, std::string> env;
    };
    std::vector<Muerte> muertes;
    for (const double parte : {0.1, 0.3, 0.5, 0.7, 0.9})
        muertes.push_back({"at " + std::to_string(parte), parte * entera.seconds, {}});
    muertes.push_back(
        {"after the copy took the database's name", 60, mata_tras_renombrar("/Ternova.mdb")});
    int con_copia = 0;
    for (std::size_t i = 0; i < muertes.size(); ++i) {
        const Muerte& m = muertes[i];
        const fs::path raiz = dir.path() / ("corrida" + std::to_string(i));
        fs::copy(dir.path() / "inicial", raiz, fs::copy_options::recursive);
        const Carpetas c(raiz);
        const int status = testsupport::killed_after(ternova(c, {"compact"}, m.env), m.segundos);
        if (!m.env.empty()) {
            EXPECT_EQ(status, 128 + SIGKILL) << m.que;  // the hook's kill
        }
        con_copia += fs::exists(c.programa / "Ternova1.mdb");
        if (getenv("SHOW_RUNS"))
            std::cerr << m.que << ": status " << status << ", copy left "
                      << fs::exists(c.programa / "Ternova1.mdb") << "\n";

        ASSERT_EQ(testsupport::run_process(ternova(c, {"start"})).status, 0) << m.que;
        for (const char* resto : {"Ternova1.mdb", "Ternova1.mdb-journal"})
            EXPECT_FALSE(fs::exists(c.programa / resto)) << m.que << ": " << resto;
        EXPECT_EQ(testsupport::table_digest(c.base(), tablas), antes) << m.que;

        const auto otra = testsupport::run_process(ternova(c, {"compact"}));
        EXPECT_EQ(otra.status, 0) << m.que << ": " << otra.out;
        EXPECT_EQ(testsupport::table_digest(c.base(), tablas), antes) << m.que;
    }
    EXPECT_GE(con_copia, 2);  // kills that left a copy behind
}

// What the database refuses for reasons of its own: the file-error message,
// then the engine's reason; nothing of the week stored, no workbook written.
TEST(WeeklyRunFailures, ADatabaseThatCannotTakeTheWeekStoresNothingOfIt) {
    testsupport::TempDir dir;
    fs::permissions(dir.path(), fs::perms::all);  // for the user nobody
    struct Caso {
        const char* que;
        std::vector<std::string> razones;  // any of these
    };
    testsupport::SmallFileSystem pequeno(1024 * 1024);
    const Caso casos[] = {
        {"a full disk", {"database or disk is full", "disk I/O error"}},
        {"a database locked by another program", {"database is locked"}},
        {"a read-only database file", {"attempt to write a readonly database"}},
    };
    const auto lineas = reporte(20, 1000);
    for (const Caso& caso : casos) {
        const std::string que = caso.que;
        const bool lleno = que == "a full disk";
        const fs::path raiz = dir.path() / que;
        Carpetas c = prepara(raiz, lineas);
        std::vector<std::string> opciones;
        if (lleno && pequeno.mounted()) {
            fs::copy(c.programa, pequeno.path(), fs::copy_options::recursive);
            c.programa = pequeno.path();
        } else if (lleno) {
            opciones = {"--file-size-limit", std::to_string(fs::file_size(c.base()) + 64 * 1024)};
        }
        for (const fs::path& carpeta : {raiz, c.programa, c.semana})
            fs::permissions(carpeta, fs::perms::all);
        const std::uint64_t antes = estado(c);
        std::optional<db::Database> otra;
        if (que == "a database locked by another program") {
            otra.emplace(c.base());
            otra->execute_script("BEGIN IMMEDIATE");
        }
        if (que == "a read-only database file") {
            chmod(c.base().c_str(), 0444);
            opciones = {"--as-nobody"};
        }
        opciones.insert(opciones.end(), {"run", c.reporte().string()});

        const auto run = testsupport::run_process(ternova(c, opciones));
        if (getenv("SHOW_RUNS"))
            std::cerr << que << (pequeno.mounted() ? " (tmpfs)" : "") << ": " << run.out;
        otra.reset();
        chmod(c.base().c_str(), 0644);
        EXPECT_EQ(run.status, 1) << que;
        EXPECT_EQ(run.out.rfind("[Ternova] Error en el archivo. No se pudo completar la acción.\n"
                                "La base de datos respondió: ",
                                0),
                  0u)
            << que << ": " << run.out;
        bool razon = false;
        for (const std::string& r : caso.razones)
            razon |= run.out.find("respondió: " + r) != std::string::npos;
        EXPECT_TRUE(razon) << que << ": " << run.out;
        EXPECT_EQ(estado(c), antes) << que;
        if (lleno && pequeno.mounted())
            fs::remove_all(c.programa / "Ternova.mdb");
    }
}

// A file of the database's name that holds no database of Ternova's: the
// program names it, says so and ends with status 1.
TEST(TernovaStart, AFileThatIsNotItsDatabaseIsNamedAndRefused) {
    for (const char* contenido : {"", "tables"}) {
        testsupport::TempDir dir;
        const Carpetas c(dir.path());
        fs::create_directories(c.programa);
        if (*contenido) {
            db::Database::create_file(c.base(), "CREATE TABLE otra (x);");
        } else {
            std::ofstream(c.base().string());
        }
        const auto run = testsupport::run_process(ternova(c, {"start"}));
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "[Ternova] El archivo '" + c.base().string() +
                               "' no es la base de datos de Ternova.\n");
        EXPECT_EQ(fs::file_size(c.base()) == 0, !*contenido);
    }
}

}  // namespace
