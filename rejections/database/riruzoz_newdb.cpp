// riruzoz-newdb FOLDER [--centrales FILE.csv]
//
// Makes FOLDER/riruzozs.mdb from the schema, with the centrals of the CSV
// file when one is given. An existing database is never replaced.

#include <cstdio>
#include <filesystem>
#include <string>

#include "riruzozs_database.h"

namespace {

constexpr const char* kUsage = "usage: riruzoz-newdb FOLDER [--centrales FILE.csv]\n";

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path folder;
    std::filesystem::path centrales;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--centrales" && i + 1 < argc && centrales.empty()) {
            centrales = argv[++i];
        } else if (!argument.starts_with("-") && folder.empty()) {
            folder = argument;
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (folder.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    const std::filesystem::path file = folder / rejections::kRiruzozsFile;
    try {
        std::filesystem::create_directories(folder);
        if (!centrales.empty() && !std::filesystem::is_regular_file(centrales))
            throw rejections::CentralesError("can't read the centrals file " + centrales.string());
        rejections::create_riruzozs_file(file);
        std::size_t loaded = 0;
        if (!centrales.empty()) {
            try {
                db::Database database(file);
                loaded = rejections::load_centrales(database, centrales);
            } catch (...) {
                std::filesystem::remove(file);
                throw;
            }
        }
        std::printf("%s: created, %zu centrales\n", file.string().c_str(), loaded);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "riruzoz-newdb: %s\n", error.what());
        return 1;
    }
}
