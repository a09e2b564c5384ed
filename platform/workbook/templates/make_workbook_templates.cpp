// Writes the weekly templates into the program folder given as the argument:
//   make_workbook_templates FOLDER

#include <exception>
#include <filesystem>
#include <iostream>

#include "template_book.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_workbook_templates FOLDER\n";
        return 2;
    }
    try {
        std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        templates::writeTicketsTecnicosTemplate(folder / "TICKETS_TECNICOS.XLS");
        templates::writeNumeroBoletasTemplate(folder / "numero_boletas.xls");
    } catch (const std::exception& error) {
        std::cerr << "make_workbook_templates: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
