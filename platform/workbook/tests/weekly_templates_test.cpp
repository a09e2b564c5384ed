// The weekly templates made at build time, read from the program folder and
// filled as the weekly run fills them.

#include <chrono>
#include <filesystem>

#include <gtest/gtest.h>

#include "temp_dir.h"
#include "template_workbook.h"
#include "workbook_reader.h"

namespace {

using workbook::DateSerial;
using workbook::TemplateWorkbook;
using workbook_test::WorkbookRead;

namespace fs = std::filesystem;

const fs::path kProgramDir = PROGRAM_DIR;

DateSerial dateSerial(std::chrono::year_month_day day) {
    using namespace std::chrono;
    return {double((sys_days(day) - sys_days(1899y / December / 30)).count())};
}

const DateSerial kWeekStart = dateSerial(std::chrono::year{2026} / 2 / 27);
const DateSerial kWeekEnd = dateSerial(std::chrono::year{2026} / 3 / 5);

std::string formatOf(const WorkbookRead& read, const std::string& reference) {
    auto cells = read.cells();
    auto cell = cells.find(reference);
    return read.style(cell == cells.end() ? 0 : cell->second.style).numberFormat;
}

TEST(WeeklyTemplates, TicketsPerTechnicianHasItsHeadingsAndFormats) {
    WorkbookRead read(kProgramDir / "TICKETS_TECNICOS.XLS");
    auto cells = read.cells();
    EXPECT_EQ(cells["A1"].value, "Boletas resueltas por técnico");
    EXPECT_EQ(cells["A2"].value, "Semana del");
    EXPECT_EQ(cells["C2"].value, "al");
    EXPECT_EQ(cells["D3"].value, "Total de boletas");
    for (auto [reference, heading] : {std::pair{"A4", "Técnico"},
                                      {"B4", "Boletas"},
                                      {"D4", "Lista de trabajo"},
                                      {"G4", "Técnico"},
                                      {"H4", "Boletas"},
                                      {"I4", "Porcentaje"}})
        EXPECT_EQ(cells[reference].value, heading) << reference;
    EXPECT_EQ(formatOf(read, "B2"), "dd/mm/yy");
    EXPECT_EQ(formatOf(read, "D2"), "dd/mm/yy");
    EXPECT_EQ(formatOf(read, "E3"), "0");
    EXPECT_EQ(read.dimension(), "A1:I4");
}

TEST(WeeklyTemplates, TicketsPerTechnicianFilledShowsDatesCountsAndShares) {
    testsupport::TempDir dir;
    TemplateWorkbook book = TemplateWorkbook::open(kProgramDir / "TICKETS_TECNICOS.XLS");
    EXPECT_EQ(book.name(), "TICKETS_TECNICOS.XLS");
    book.setValue(2, 2, kWeekStart);
    book.setValue(2, 4, kWeekEnd);
    book.setValue(3, 5, 8);
    const struct {
        const char* technician;
        int tickets;
        const char* workList;
    } perList[] = {{"GARCIA PEREZ JUAN", 3, "CAR-NORTE"},
                   {"GARCIA PEREZ JUAN", 1, "CAR-SUR"},
                   {"LOPEZ RUIZ ANA", 4, "CAR-NORTE"}};
    int row = 5;
    for (const auto& line : perList) {
        book.setValue(row, 1, line.technician);
        book.setValue(row, 2, line.tickets);
        book.setValue(row++, 4, line.workList);
    }
    row = 5;
    for (auto [technician, tickets] : {std::pair{"GARCIA PEREZ JUAN", 4}, {"LOPEZ RUIZ ANA", 4}}) {
        book.setValue(row, 7, technician);
        book.setValue(row, 8, tickets);
        book.setValue(row++, 9, tickets / 8.0);
    }
    fs::path saved = dir.path() / "bol_resv_tec_CAR0305.xls";
    book.saveAs(saved, {.readOnlyRecommended = true});
    book.close();

    WorkbookRead read(saved);
    EXPECT_EQ(read.dimension(), "A1:I7");
    EXPECT_EQ(formatOf(read, "B2"), "dd/mm/yy");
    EXPECT_EQ(formatOf(read, "B5"), "0");
    EXPECT_EQ(formatOf(read, "H6"), "0");
    EXPECT_EQ(formatOf(read, "I5"), "0.00%");
    EXPECT_EQ(formatOf(read, "I6"), "0.00%");
    EXPECT_EQ(read.cells()["I6"].value, "0.5");
    EXPECT_EQ(workbook_test::xlsx2csv(saved),
              "Boletas resueltas por técnico,,,,,,,,\n"
              "Semana del,27/02/26,al,05/03/26,,,,,\n"
              ",,,Total de boletas,8,,,,\n"
              "Técnico,Boletas,,Lista de trabajo,,,Técnico,Boletas,Porcentaje\n"
              "GARCIA PEREZ JUAN,3,,CAR-NORTE,,,GARCIA PEREZ JUAN,4,0.5\n"
              "GARCIA PEREZ JUAN,1,,CAR-SUR,,,LOPEZ RUIZ ANA,4,0.5\n"
              "LOPEZ RUIZ ANA,4,,CAR-NORTE,,,,,\n");
}

TEST(WeeklyTemplates, RandomSampleHasItsHeadingsAndFormats) {
    WorkbookRead read(kProgramDir / "numero_boletas.xls");
    auto cells = read.cells();
    EXPECT_EQ(cells["A1"].value, "Boletas aleatorias para evaluación");
    EXPECT_EQ(cells["B3"].value, "Semana del");
    EXPECT_EQ(cells["F3"].value, "al");
    EXPECT_EQ(cells["A4"].value, "Técnico");
    EXPECT_EQ(cells["C4"].value, "Boleta");
    EXPECT_EQ(cells["E4"].value, "Lista de trabajo");
    EXPECT_EQ(formatOf(read, "C3"), "dd/mm/yy");
    EXPECT_EQ(formatOf(read, "G3"), "dd/mm/yy");
}

TEST(WeeklyTemplates, RandomSampleFilledShowsTheWeekAndOneTicketARow) {
    testsupport::TempDir dir;
    TemplateWorkbook book = TemplateWorkbook::open(kProgramDir / "numero_boletas.xls");
    book.setValue(3, 3, kWeekStart);
    book.setValue(3, 7, kWeekEnd);
    int row = 5;
    for (auto [technician, ticket, workList] :
         {std::tuple{"GARCIA PEREZ JUAN", "1234567", "CAR-NORTE"},
          {"GARCIA PEREZ JUAN", "1234590", "CAR-SUR"},
          {"LOPEZ RUIZ ANA", "1234601", "CAR-NORTE"}}) {
        book.setValue(row, 1, technician);
        book.setValue(row, 3, ticket);
        book.setValue(row++, 5, workList);
    }
    fs::path saved = dir.path() / "rand_boltec_wklist0305.xls";
    book.saveAs(saved, {.readOnlyRecommended = true});

    EXPECT_EQ(WorkbookRead(saved).dimension(), "A1:G7");
    EXPECT_EQ(workbook_test::xlsx2csv(saved),
              "Boletas aleatorias para evaluación,,,,,,\n"
              "\n"
              ",Semana del,27/02/26,,,al,05/03/26\n"
              "Técnico,,Boleta,,Lista de trabajo,,\n"
              "GARCIA PEREZ JUAN,,1234567,,CAR-NORTE,,\n"
              "GARCIA PEREZ JUAN,,1234590,,CAR-SUR,,\n"
              "LOPEZ RUIZ ANA,,1234601,,CAR-NORTE,,\n");
}

}  // namespace
