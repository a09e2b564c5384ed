// zovavidevir-newdb FOLDER
// Creates FOLDER/factura.mdb from the schema kept in the repository, with no
// records. Refuses to touch an existing database. Exit status 0 on success
// (the new file's path on standard output), 1 on a failure (the reason on
// standard error), 2 on wrong arguments.

#include <exception>
#include <iostream>
#include <string>

#include "FacturaDatabase.h"

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]).empty() || argv[1][0] == '-') {
        std::cerr << "usage: zovavidevir-newdb FOLDER\n";
        return 2;
    }
    try {
        std::cout << billing::create_factura_database(argv[1]).string() << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "zovavidevir-newdb: " << e.what() << "\n";
        return 1;
    }
}
