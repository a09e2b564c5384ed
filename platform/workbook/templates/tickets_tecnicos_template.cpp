// "TICKETS_TECNICOS.XLS": the week's resolved tickets per technician. The
// weekly run writes the week's first and last day into B2 and D2, the week's
// total into E3, and from row 5 on two lists: technician, tickets and work
// list in columns A, B and D, and technician, tickets and share of the week
// in columns G, H and I.

#include "template_book.h"

namespace templates {

void writeTicketsTecnicosTemplate(const std::filesystem::path& file) {
    TemplateBook book(file, "Boletas por técnico");
    lxw_worksheet* sheet = book.sheet();
    const TemplateStyles& style = book.styles();

    // Columns, the list rows taking their formats from them:
    worksheet_set_column(sheet, 0, 0, 32, nullptr);
    worksheet_set_column(sheet, 1, 1, 10, style.count);
    worksheet_set_column(sheet, 2, 2, 4, nullptr);
    worksheet_set_column(sheet, 3, 3, 22, nullptr);
    worksheet_set_column(sheet, 4, 4, 10, nullptr);
    worksheet_set_column(sheet, 5, 5, 4, nullptr);
    worksheet_set_column(sheet, 6, 6, 32, nullptr);
    worksheet_set_column(sheet, 7, 7, 10, style.count);
    worksheet_set_column(sheet, 8, 8, 12, style.share);

    // Title, week and total:
    worksheet_write_string(sheet, 0, 0, "Boletas resueltas por técnico", style.title);
    worksheet_write_string(sheet, 1, 0, "Semana del", style.label);
    worksheet_write_blank(sheet, 1, 1, style.date);
    worksheet_write_string(sheet, 1, 2, "al", style.label);
    worksheet_write_blank(sheet, 1, 3, style.date);
    worksheet_write_string(sheet, 2, 3, "Total de boletas", style.label);
    worksheet_write_blank(sheet, 2, 4, style.count);

    // Headings of the two lists:
    worksheet_write_string(sheet, 3, 0, "Técnico", style.heading);
    worksheet_write_string(sheet, 3, 1, "Boletas", style.heading);
    worksheet_write_string(sheet, 3, 3, "Lista de trabajo", style.heading);
    worksheet_write_string(sheet, 3, 6, "Técnico", style.heading);
    worksheet_write_string(sheet, 3, 7, "Boletas", style.heading);
    worksheet_write_string(sheet, 3, 8, "Porcentaje", style.heading);

    book.close();
}

}  // namespace templates
