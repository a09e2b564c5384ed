// Test-only: Ternova's start and its weekly run or compaction, without
// windows: the program folder's Ternova.mdb ($PROGRAM_FOLDER) opened as the
// main window's load opens it (which completes or removes what a killed run
// or compaction left), then, as asked:
//
//   weekly_run_driver [--file-size-limit BYTES] [--as-nobody] start
//   weekly_run_driver [options] run REPORT     the weekly run of "Generar Boletas"
//   weekly_run_driver [options] compact        the compaction of "Compactar..."
//
// The run draws its sample from a fixed seed, so that two runs of one report
// store the same week. Messages go to standard output, "[Ternova] text" a
// line. Ends with status 0 when the job succeeded, 1 otherwise.

#include <iostream>

#include "Aleatorio.h"
#include "GeneraArchivos.h"
#include "MdlTtlQuality.h"
#include "ingreso.h"
#include "kill_run.h"

namespace {

class PrintedAvisos : public quality::AvisosCorrida {
public:
    void mensaje(const std::string& texto, int) override {
        std::cout << "[Ternova] " << texto << std::endl;
    }
    void reloj(bool) override {}
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = testsupport::apply_driver_options(argc, argv);
    if (args.empty()) {
        std::cerr << "usage: weekly_run_driver [options] start | run REPORT | compact\n";
        return 2;
    }
    quality::MdlTtlQuality state;
    try {
        state.iniciadatos();
    } catch (const db::Error& error) {
        std::cout << "[Ternova] " << error.what() << std::endl;
        return 1;
    }
    if (args[0] == "run" && args.size() == 2) {
        quality::SinAvance avance;
        PrintedAvisos avisos;
        quality::Aleatorio aleatorio(7);
        quality::GeneraArchivos corrida(state.conexion, avance, avisos, aleatorio);
        if (!corrida.generaarchivos(args[1]))
            return 1;
        std::cout << "[Ternova] "
                  << quality::mensaje_de_exito(corrida.total_omitidas, corrida.omitidas)
                  << std::endl;
    } else if (args[0] == "compact") {
        try {
            quality::compacta_base(state);
        } catch (const std::exception& error) {
            std::cout << "[Ternova] " << error.what() << std::endl;
            return 1;
        }
        std::cout << "[Ternova] La Base de Datos fue compactada con éxito." << std::endl;
    } else if (args[0] != "start") {
        return 2;
    }
    state.conexion.close();
    return 0;
}
