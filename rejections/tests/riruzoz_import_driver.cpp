// Test-only: riruzoz's import of one sample file, without windows, as
// "Importa Archivo" runs it once the file is picked: riruzozs.mdb of the
// program folder ($PROGRAM_FOLDER) opened as at start, then the file's entry
// and its samples. The messages go to standard output, "[title] text" a line.
//
//   riruzoz_import_driver [--file-size-limit BYTES] [--as-nobody] SAMPLE_FILE
//
// Ends with status 0 once the import ran, 1 when the database can't be used.

#include <iostream>

#include "Module1.h"
#include "captura_archivo.h"
#include "database_sample_store.h"
#include "kill_run.h"
#include "runtime/clock.h"

namespace {

class PrintedMessages : public rejections::ImportMessages {
public:
    void show(std::string_view text, std::optional<std::string_view> title) override {
        std::cout << "[" << (title ? *title : "riruzoz") << "] " << text << std::endl;
    }
};

class NoPointer : public rejections::WaitPointer {
public:
    void setWindowPointer(rejections::MousePointer) override {}
    void setScreenPointer(rejections::MousePointer) override {}
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = testsupport::apply_driver_options(argc, argv);
    if (args.size() != 1) {
        std::cerr << "usage: riruzoz_import_driver [options] SAMPLE_FILE\n";
        return 2;
    }
    try {
        rejections::abre_base();
    } catch (const db::Error& error) {
        std::cout << "[riruzoz] " << error.what() << std::endl;
        return 1;
    }
    rejections::DatabaseSampleStore store(rejections::base_datos);
    PrintedMessages messages;
    NoPointer pointer;
    rejections::captura_archivo(
        {store, messages, pointer, runtime::year_of(runtime::clock().now())}, args[0]);
    rejections::cierra_base();
    return 0;
}
