// ternova-newdb FOLDER --supervisor-password PASSWORD
// Creates FOLDER/Ternova.mdb from the schema kept in the repository, with the
// installation data and the supervisor SUPERVISOR holding the given password.
// Refuses to touch an existing database. Exit status 0 on success, 1 on a
// failure (the reason on standard error), 2 on wrong arguments.

#include <exception>
#include <iostream>
#include <string>

#include "database/TernovaDatabase.h"

namespace {

int usage() {
    std::cerr << "usage: ternova-newdb FOLDER --supervisor-password PASSWORD\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder, password;
    bool have_password = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--supervisor-password" && i + 1 < argc) {
            password = argv[++i];
            have_password = true;
        } else if (arg.rfind("--supervisor-password=", 0) == 0) {
            password = arg.substr(arg.find('=') + 1);
            have_password = true;
        } else if (folder.empty() && arg.rfind("-", 0) != 0) {
            folder = arg;
        } else {
            return usage();
        }
    }
    if (folder.empty() || !have_password || password.empty())
        return usage();
    try {
        std::cout << quality::create_ternova_database(folder, password).string() << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "ternova-newdb: " << e.what() << "\n";
        return 1;
    }
}
