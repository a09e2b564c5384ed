// "numero_boletas.xls": the week's random sample. The sampling writes the
// week's first and last day into C3 and G3 and, from row 5 on, one sampled
// ticket a row: technician, ticket number and work list in columns A, C and E.

#include "template_book.h"

namespace templates {

void writeNumeroBoletasTemplate(const std::filesystem::path& file) {
    TemplateBook book(file, "Boletas aleatorias");
    lxw_worksheet* sheet = book.sheet();
    const TemplateStyles& style = book.styles();

    // Columns:
    worksheet_set_column(sheet, 0, 0, 32, nullptr);
    worksheet_set_column(sheet, 1, 1, 12, nullptr);
    worksheet_set_column(sheet, 2, 2, 14, nullptr);
    worksheet_set_column(sheet, 3, 3, 4, nullptr);
    worksheet_set_column(sheet, 4, 4, 22, nullptr);
    worksheet_set_column(sheet, 5, 5, 6, nullptr);
    worksheet_set_column(sheet, 6, 6, 10, nullptr);

    // Title and week:
    worksheet_write_string(sheet, 0, 0, "Boletas aleatorias para evaluación", style.title);
    worksheet_write_string(sheet, 2, 1, "Semana del", style.label);
    worksheet_write_blank(sheet, 2, 2, style.date);
    worksheet_write_string(sheet, 2, 5, "al", style.label);
    worksheet_write_blank(sheet, 2, 6, style.date);

    // Headings of the sample:
    worksheet_write_string(sheet, 3, 0, "Técnico", style.heading);
    worksheet_write_string(sheet, 3, 2, "Boleta", style.heading);
    worksheet_write_string(sheet, 3, 4, "Lista de trabajo", style.heading);

    book.close();
}

}  // namespace templates
