// Ternova's weekly run on a generated report (400,000 detail lines, 35 MB,
// by default: 500 technicians, 4 work lists): the report read and stored
// into Boletas_Resueltas, the whole run with the sample and both workbooks,
// and, for comparison, a bare prepared SQLite insert of the same rows in one
// transaction, the best of nine runs each, as the run stores the week (the
// index on the technician dropped, then made once the tickets are stored) and
// without that index at all: the index's cost to the import. Prints the
// rates, the reader's
// share of the bare rate, and the peak memory of the reading and of the
// whole run, each measured in a process of its own (this one holds the
// report's rows for the bare insert).
// Then the whole run three times more each way, without a window and with its
// progress window drawn as it goes (offscreen) inside the long job that
// "Generar Boletas" runs it in: the cost of keeping the windows drawn.
//
//   weekly_run_bench [DETAIL_LINES]

#include <sqlite3.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <QApplication>

#include <time.h>

#include <algorithm>

#include "FrmAvance.h"
#include "GeneraArchivos.h"
#include "LectorBoletas.h"
#include "database/TernovaDatabase.h"
#include "long_job.h"
#include "runtime/line_reader.h"
#include "runtime/program_folder.h"
#include "runtime/strings.h"
#include "test_program.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTecnicos = 500;
constexpr int kListas = 4;

struct Fila {
    std::string lista, boleta, tecnico, creada, resuelta, prioridad;
};

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string ancho(std::string texto, std::size_t n) {
    texto.resize(n, ' ');
    return texto;
}

// Writes the report and returns the rows it holds, as the reader stores them.
std::vector<Fila> escribe_reporte(const fs::path& file, long detalles) {
    std::vector<Fila> filas;
    filas.reserve(detalles);
    std::ofstream out(file, std::ios::binary);
    const long por_lista = (detalles + kListas - 1) / kListas;
    long n = 0;
    for (int l = 0; l < kListas && n < detalles; ++l) {
        const std::string lista = "CENTRAL " + std::to_string(l + 1) + " - REPARACION";
        out << "REPORTE DE BOLETAS RESUELTAS\r\nLISTA DE TRABAJO " << lista << "\r\n"
            << "DE FECHA 27/02/26 A 05/03/26 23:59:59\r\n\r\n"
            << "     #       BOLETA          CREADA          RESUELTA\r\n"
            << std::string(87, '-') << "\r\n";
        for (long i = 0; i < por_lista && n < detalles; ++i, ++n) {
            char numero[24], boleta[24], tecnico[24], creada[32], resuelta[32], prioridad[24];
            std::snprintf(numero, sizeof numero, "%6ld", i + 1);
            std::snprintf(boleta, sizeof boleta, "%ld", 4500000 + n);
            std::snprintf(tecnico, sizeof tecnico, "T%03ld", n % kTecnicos);
            const int dia = 27 + int(n % 7), hora = int(n % 24), minuto = int(n % 60);
            const int d = dia > 28 ? dia - 28 : dia, m = dia > 28 ? 3 : 2;
            std::snprintf(creada, sizeof creada, "%02d/%02d/26 %02d:%02d", d, m, hora, minuto);
            std::snprintf(resuelta, sizeof resuelta, "%02d/%02d/2026 %02d:%02d:00", d, m,
                          (hora + 1) % 24, minuto);
            std::snprintf(prioridad, sizeof prioridad, "%ld", 1 + n % 99);
            out << ancho(numero, 13) << ancho(boleta, 14) << "  " << ancho(creada, 16)
                << ancho(resuelta, 19) << "  " << ancho(tecnico, 8) << "CERRADA "
                << std::string(5 - std::strlen(prioridad), ' ') << prioridad << "\r\n";
            filas.push_back(
                {lista, boleta, tecnico, creada,
                 std::string(resuelta).substr(0, 6) + std::string(resuelta).substr(8, 6),
                 prioridad});
        }
        out << "FIN DE LISTA " << lista << "\r\n\r\n";
    }
    return filas;
}

// The process's processor time: what the windows cost, less blurred than the
// clock by the other work on the machine.
double cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

struct Tiempo {
    double reloj = 1e30, cpu = 1e30;
    void mejor(const Tiempo& otro) {
        reloj = std::min(reloj, otro.reloj);
        cpu = std::min(cpu, otro.cpu);
    }
};

// The report read and stored; `con_indice`, the index on the technician made
// after the tickets, as the run does.
Tiempo lee_y_guarda(const fs::path& base, const fs::path& reporte, bool con_indice) {
    db::Database conexion(base);
    quality::SinAvance avance;
    const auto start = std::chrono::steady_clock::now();
    const double cpu = cpu_seconds();
    db::Transaction transaccion(conexion);
    if (con_indice)
        conexion.execute_script(quality::kQuitaIndiceTecnicoSql);
    runtime::LineReader archivo(reporte);
    quality::LectorBoletas lector(archivo, conexion, avance);
    lector.buscalista();
    lector.leefechas();
    lector.cargaboletas();
    if (con_indice)
        conexion.execute_script(quality::kIndiceTecnicoSql);
    transaccion.commit();
    return {seconds_since(start), cpu_seconds() - cpu};
}

Tiempo insercion_directa(const fs::path& base, const std::vector<Fila>& filas, bool con_indice) {
    sqlite3* handle = nullptr;
    sqlite3_open_v2(base.c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr);
    // The schema's comparison of text, which its index on the technician
    // sorts by, and the program's connection settings.
    sqlite3_create_collation(handle, "CASEBLIND", SQLITE_UTF8, nullptr,
                             [](void*, int n1, const void* s1, int n2, const void* s2) {
                                 return runtime::compare_case_blind(
                                     std::string_view(static_cast<const char*>(s1), n1),
                                     std::string_view(static_cast<const char*>(s2), n2));
                             });
    sqlite3_exec(handle,
                 "PRAGMA foreign_keys = ON; PRAGMA secure_delete = FAST; "
                 "PRAGMA journal_mode = DELETE;",
                 nullptr, nullptr, nullptr);
    const auto start = std::chrono::steady_clock::now();
    const double cpu = cpu_seconds();
    sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr);
    if (con_indice)
        sqlite3_exec(handle, quality::kQuitaIndiceTecnicoSql, nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(handle,
                       "INSERT INTO Boletas_Resueltas (listatrabajo, boleta, tecnico, "
                       "fecha_creada, fecha_resuelta, prioridad) VALUES (?, ?, ?, ?, ?, ?)",
                       -1, &insert, nullptr);
    for (const Fila& f : filas) {
        int i = 1;
        for (const std::string* campo :
             {&f.lista, &f.boleta, &f.tecnico, &f.creada, &f.resuelta, &f.prioridad})
            sqlite3_bind_text(insert, i++, campo->data(), int(campo->size()), SQLITE_STATIC);
        if (sqlite3_step(insert) != SQLITE_DONE) {
            std::fprintf(stderr, "bare insert: %s\n", sqlite3_errmsg(handle));
            std::exit(1);
        }
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    if (con_indice)
        sqlite3_exec(handle, quality::kIndiceTecnicoSql, nullptr, nullptr, nullptr);
    sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
    const Tiempo tiempo{seconds_since(start), cpu_seconds() - cpu};
    sqlite3_close(handle);
    return tiempo;
}

// A new database of the schema, or, `sin_indice`, as made before the index
// on the technician.
fs::path base_nueva(const fs::path& carpeta, bool sin_indice) {
    fs::remove_all(carpeta);
    fs::create_directories(carpeta);
    const fs::path base = quality::create_ternova_database(carpeta, "clave");
    if (sin_indice)
        db::Database(base).execute_script("DROP INDEX Boletas_Resueltas_Tecnico;");
    return base;
}

class SinAvisos : public quality::AvisosCorrida {
public:
    void mensaje(const std::string& texto, int) override {
        std::fprintf(stderr, "%s\n", texto.c_str());
    }
    void reloj(bool) override {}
};

// One whole run on a copy of the report in a folder of its own; its times.
Tiempo corrida_completa(const fs::path& carpeta, const fs::path& reporte, quality::Avance& avance,
                        bool en_trabajo_largo) {
    fs::create_directories(carpeta / "semana");
    fs::copy_file(reporte, carpeta / "semana" / reporte.filename());
    db::Database conexion(quality::create_ternova_database(carpeta, "clave"));
    SinAvisos avisos;
    quality::Aleatorio aleatorio;
    quality::GeneraArchivos corrida(conexion, avance, avisos, aleatorio);
    const auto start = std::chrono::steady_clock::now();
    const double cpu = cpu_seconds();
    bool generado = false;
    if (en_trabajo_largo) {
        forms::LongJob trabajo;
        generado = corrida.generaarchivos(carpeta / "semana" / reporte.filename());
    } else {
        generado = corrida.generaarchivos(carpeta / "semana" / reporte.filename());
    }
    const Tiempo tiempo{seconds_since(start), cpu_seconds() - cpu};
    if (!generado)
        std::fprintf(stderr, "the run in %s FAILED\n", carpeta.c_str());
    return tiempo;
}

long peak_memory_mb() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss / 1024;
}

// In a process of its own: the reading, or the whole run, of the report on a
// fresh database in `carpeta`, or nothing ("nada"); prints the peak memory
// in MB.
int medida_de_memoria(const std::string& que, const fs::path& carpeta, const fs::path& reporte) {
    if (que == "nada") {
    } else if (que == "lectura") {
        fs::create_directories(carpeta);
        lee_y_guarda(quality::create_ternova_database(carpeta, "clave"), reporte, true);
    } else {
        quality::SinAvance nada;
        corrida_completa(carpeta, reporte, nada, false);
    }
    std::printf("%ld\n", peak_memory_mb());
    return 0;
}

// Runs this program again as medida_de_memoria and returns what it printed.
long memoria_en_proceso_propio(const std::string& que, const fs::path& carpeta,
                               const fs::path& reporte) {
    const fs::path salida = carpeta.string() + ".memoria";
    const std::string self = fs::canonical("/proc/self/exe").string();
    const std::string orden = "'" + self + "' --memoria " + que + " '" + carpeta.string() + "' '" +
                              reporte.string() + "' > '" + salida.string() + "'";
    if (std::system(orden.c_str()) != 0)
        return -1;
    long mb = -1;
    std::ifstream(salida) >> mb;
    fs::remove(salida);
    return mb;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (argc == 5 && std::string(argv[1]) == "--memoria")
        return medida_de_memoria(argv[2], argv[3], argv[4]);
    const long detalles = argc > 1 ? std::atol(argv[1]) : 400000;
    const fs::path dir =
        fs::temp_directory_path() / ("weekly_run_bench_" + std::to_string(getpid()));
    fs::create_directories(dir / "semana");
    fs::create_directories(dir / "a");
    fs::create_directories(dir / "b");
    setenv(runtime::kProgramFolderVariable, dir.c_str(), 1);
    for (const char* plantilla : {"TICKETS_TECNICOS.XLS", "numero_boletas.xls"})
        fs::copy_file(fs::path(PROGRAM_DIR) / plantilla, dir / plantilla);

    const fs::path reporte = dir / "semana" / "boletas.txt";
    const std::vector<Fila> filas = escribe_reporte(reporte, detalles);
    // The reader and the bare insert in turns, nine times each (the best
    // counts: the machine may be busy with other work, and a run is short).
    // [0] with the index on the technician, [1] without.
    Tiempo lectura[2], directa[2];
    for (int vez = 0; vez < 9; ++vez) {
        for (int sin = 0; sin < 2; ++sin) {
            lectura[sin].mejor(lee_y_guarda(base_nueva(dir / "a", sin), reporte, !sin));
            directa[sin].mejor(insercion_directa(base_nueva(dir / "b", sin), filas, !sin));
        }
    }

    // The whole run, sample and workbooks included:
    db::Database conexion(quality::create_ternova_database(dir, "clave"));
    quality::SinAvance avance;
    SinAvisos avisos;
    quality::Aleatorio aleatorio;
    quality::GeneraArchivos corrida(conexion, avance, avisos, aleatorio);
    const auto start = std::chrono::steady_clock::now();
    const bool generado = corrida.generaarchivos(reporte);
    const double completa = seconds_since(start);

    std::printf("detail lines: %ld (%d technicians, %d work lists), report %ju bytes\n",
                long(filas.size()), kTecnicos, kListas, std::uintmax_t(fs::file_size(reporte)));
    for (int sin = 0; sin < 2; ++sin) {
        std::printf("%s\n", sin ? "without the index on the technician:"
                                : "as the run stores the week, the index made after:");
        std::printf("  report read and stored:%9.3f s  %10.0f lines/s  %7.3f s of processor\n",
                    lectura[sin].reloj, filas.size() / lectura[sin].reloj, lectura[sin].cpu);
        std::printf("  bare prepared insert:  %9.3f s  %10.0f rows/s   %7.3f s of processor\n",
                    directa[sin].reloj, filas.size() / directa[sin].reloj, directa[sin].cpu);
        std::printf("  reader / bare insert:  %9.2f (processor %.2f)\n",
                    directa[sin].reloj / lectura[sin].reloj, directa[sin].cpu / lectura[sin].cpu);
    }
    std::printf("the index's cost to the reader: %+.1f %% of the time, %+.1f %% of the processor\n",
                100.0 * (lectura[0].reloj - lectura[1].reloj) / lectura[1].reloj,
                100.0 * (lectura[0].cpu - lectura[1].cpu) / lectura[1].cpu);
    std::printf("whole weekly run:        %9.3f s  %10.0f lines/s  (%s)\n", completa,
                filas.size() / completa, generado ? "generated" : "FAILED");

    // Without a window, and with the progress window in a long job, three
    // times each, taking turns at going first.
    Tiempo sin_ventana, con_ventana;
    for (int vez = 0; vez < 6; ++vez) {
        const bool con = (vez % 2 == 0) == (vez / 2 % 2 == 0);
        const fs::path carpeta = dir / ("corrida" + std::to_string(vez));
        if (con) {
            forms::TestProgram programa("Ternova");
            quality::AvanceEnVentana ventana(programa);
            con_ventana.mejor(corrida_completa(carpeta, reporte, ventana, true));
        } else {
            quality::SinAvance nada;
            sin_ventana.mejor(corrida_completa(carpeta, reporte, nada, false));
        }
        fs::remove_all(carpeta);
    }
    std::printf("run, no window (best 3): %9.3f s  %10.0f lines/s  %7.3f s of processor\n",
                sin_ventana.reloj, filas.size() / sin_ventana.reloj, sin_ventana.cpu);
    std::printf("run, window (best of 3): %9.3f s  %10.0f lines/s  %7.3f s of processor\n",
                con_ventana.reloj, filas.size() / con_ventana.reloj, con_ventana.cpu);
    std::printf("the window and its long job: %+.1f %% of the time, %+.1f %% of the processor\n",
                100.0 * (con_ventana.reloj - sin_ventana.reloj) / sin_ventana.reloj,
                100.0 * (con_ventana.cpu - sin_ventana.cpu) / sin_ventana.cpu);

    // The window's own share, apart from the noise of the machine: what a run
    // gives its window (a bar value for every line and every sampled row, a
    // percentage for every ticket), given alone in a long job, with its
    // rounds of drawing.
    {
        forms::TestProgram programa("Ternova");
        quality::AvanceEnVentana ventana(programa);
        const long llamadas = static_cast<long>(filas.size());
        const auto start = std::chrono::steady_clock::now();
        {
            forms::LongJob trabajo;
            ventana.mostrar();
            for (long i = 0; i < llamadas; ++i) {
                ventana.barra(quality::Barra::Barrita, i, llamadas);
                ventana.etiqueta(quality::Etiqueta::lblporc, std::to_string(i * 100 / llamadas));
            }
            for (long i = 0; i < llamadas; ++i)
                ventana.barra(quality::Barra::Barrita2, i, llamadas);
            ventana.descargar();
        }
        const double solo = seconds_since(start);
        std::printf("the window's calls alone:%9.3f s  (%.1f %% of the run without a window)\n",
                    solo, 100.0 * solo / sin_ventana.reloj);
    }
    const long memoria_inicial = memoria_en_proceso_propio("nada", dir / "m0", reporte);
    const long memoria_lectura = memoria_en_proceso_propio("lectura", dir / "m1", reporte);
    const long memoria_corrida = memoria_en_proceso_propio("corrida", dir / "m2", reporte);
    std::printf("peak memory, started:    %9ld MB (the program before any work)\n",
                memoria_inicial);
    std::printf("peak memory, reading:    %9ld MB for a %.0f MB report\n", memoria_lectura,
                fs::file_size(reporte) / 1e6);
    std::printf("peak memory, whole run:  %9ld MB\n", memoria_corrida);
    fs::remove_all(dir);
    return generado ? 0 : 1;
}
