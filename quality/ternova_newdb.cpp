// ternova-newdb FOLDER --supervisor-password PASSWORD [--site-data FILE]
// Creates FOLDER/Ternova.mdb from the schema kept in the repository, with the
// installation data and the supervisor SUPERVISOR holding the given password,
// then the site's own rows: the SQLite statements of FILE (technicians, other
// supervisors), in the same transaction. Refuses to touch an existing
// database; a failing statement leaves none behind. Exit status 0 on success, 1 on a
// failure (the reason on standard error), 2 on wrong arguments.

#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "database/TernovaDatabase.h"

namespace {

int usage() {
    std::cerr << "usage: ternova-newdb FOLDER --supervisor-password PASSWORD [--site-data FILE]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder, password, site_data_file;
    bool have_password = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--supervisor-password" && i + 1 < argc) {
            password = argv[++i];
            have_password = true;
        } else if (arg.rfind("--supervisor-password=", 0) == 0) {
            password = arg.substr(arg.find('=') + 1);
            have_password = true;
        } else if (arg == "--site-data" && i + 1 < argc) {
            site_data_file = argv[++i];
        } else if (folder.empty() && arg.rfind("-", 0) != 0) {
            folder = arg;
        } else {
            return usage();
        }
    }
    if (folder.empty() || !have_password || password.empty())
        return usage();
    std::string site_data;
    if (!site_data_file.empty()) {
        std::ifstream in(site_data_file, std::ios::binary);
        if (!in) {
            std::cerr << "ternova-newdb: cannot read " << site_data_file << "\n";
            return 1;
        }
        site_data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    try {
        std::cout << quality::create_ternova_database(folder, password, site_data).string() << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "ternova-newdb: " << e.what() << "\n";
        return 1;
    }
}
