// Test-only: Zovavidevir's import of one dump, without windows, as
// "&Importa Archivo" runs it once the file is picked: factura.mdb of the
// program folder ($PROGRAM_FOLDER) opened as at start, then the import. The
// messages go to standard output, "[title] text" a line.
//
//   billing_import_driver [--file-size-limit BYTES] [--as-nobody] DUMP_FILE
//
// Ends with status 0 once the import ran, 1 when the database can't be used.

#include <iostream>

#include "FacturaRecordStore.h"
#include "Module1.h"
#include "importa_arch.h"
#include "kill_run.h"

namespace {

class PrintedReporter : public billing::ImportReporter {
public:
    void importStarted() override {}
    void importEnded() override {}
    void message(const std::string& text, const std::string& title) override {
        std::cout << "[" << (title.empty() ? "Zovavidevir" : title) << "] " << text << std::endl;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = testsupport::apply_driver_options(argc, argv);
    if (args.size() != 1) {
        std::cerr << "usage: billing_import_driver [options] DUMP_FILE\n";
        return 2;
    }
    billing::Module1 modulo;
    try {
        modulo.abre_base();
    } catch (const db::Error& error) {
        std::cout << "[Zovavidevir] " << error.what() << std::endl;
        return 1;
    }
    PrintedReporter reporter;
    {
        billing::FacturaRecordStore store(modulo.base_datos);
        billing::importa_arch(args[0], store, reporter);
    }
    modulo.cierra_base();
    return 0;
}
