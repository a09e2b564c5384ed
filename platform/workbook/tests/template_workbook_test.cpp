// Templates opened, filled cell by cell and saved under a new name, read back
// from disk.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include "temp_dir.h"
#include "template_workbook.h"
#include "workbook_reader.h"

namespace {

using workbook::DateSerial;
using workbook::TemplateWorkbook;
using workbook::WorkbookError;
using workbook_test::WorkbookRead;

namespace fs = std::filesystem;

DateSerial dateSerial(std::chrono::year_month_day day, double fraction = 0) {
    using namespace std::chrono;
    return {double((sys_days(day) - sys_days(1899y / December / 30)).count()) + fraction};
}

// A template of our own: a title, a styled empty cell, a number, a column
// with a date format, a row with a percentage format, and a last cell far
// down. Texts go to the shared strings, as the spreadsheet program keeps them.
fs::path writeTemplate(const fs::path& file, bool secondSheetActive = false) {
    lxw_workbook* book = workbook_new(file.c_str());
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Datos");
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "dd/mm/yy");
    lxw_format* decimals = workbook_add_format(book);
    format_set_num_format(decimals, "0.00");
    lxw_format* percent = workbook_add_format(book);
    format_set_num_format(percent, "0.00%");
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);

    worksheet_set_column(sheet, 1, 1, 12, date);  // column B
    worksheet_set_row(sheet, 5, 15, percent);     // row 6
    worksheet_write_string(sheet, 0, 0, "Título", bold);
    worksheet_write_blank(sheet, 1, 2, decimals);
    worksheet_write_number(sheet, 1, 3, 7, nullptr);
    worksheet_write_string(sheet, 3, 0, "Encabezado", bold);
    worksheet_write_string(sheet, 7, 4, "Fin", nullptr);
    if (secondSheetActive) {
        lxw_worksheet* other = workbook_add_worksheet(book, "Otra");
        worksheet_write_string(other, 0, 0, "segunda", nullptr);
        worksheet_activate(other);
    }
    EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
    return file;
}

struct TemplateWorkbookTest : ::testing::Test {
    testsupport::TempDir dir;
    fs::path templateFile = writeTemplate(dir.path() / "plantilla.xlsx");
    fs::path saved = dir.path() / "semana.xls";
};

TEST_F(TemplateWorkbookTest, SetCellsKeepTheStylesTheTemplateGaveThem) {
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    book.setValue(1, 1, "Boletas de la semana");  // a shared string becomes this text
    book.setValue(2, 3, 3.5);                     // the styled empty cell
    book.setValue(5, 2, dateSerial(std::chrono::year{2026} / 3 / 5));  // column B's dates
    book.setValue(6, 3, 0.25);                                         // row 6's percentages
    book.setValue(9, 1, 42);                                           // no style anywhere
    book.saveAs(saved);
    book.close();

    WorkbookRead read(saved);
    auto cells = read.cells();
    EXPECT_EQ(cells["A1"].type, "inlineStr");
    EXPECT_EQ(cells["A1"].value, "Boletas de la semana");
    EXPECT_TRUE(read.style(cells["A1"].style).bold);
    EXPECT_EQ(cells["C2"].value, "3.5");
    EXPECT_EQ(read.style(cells["C2"].style).numberFormat, "0.00");
    EXPECT_EQ(cells["B5"].type, "");
    EXPECT_EQ(cells["B5"].value, "46086");
    EXPECT_EQ(read.style(cells["B5"].style).numberFormat, "dd/mm/yy");
    EXPECT_EQ(read.style(cells["C6"].style).numberFormat, "0.00%");
    EXPECT_EQ(cells["A9"].style, 0);
    EXPECT_EQ(cells["D2"].value, "7");  // untouched cells stay as they were
    EXPECT_EQ(cells["E8"].value, "Fin");

    EXPECT_EQ(workbook_test::xlsx2csv(saved),
              "Boletas de la semana,,,,\n"
              ",,3.50,7,\n"
              "\n"  // row 3 holds nothing
              "Encabezado,,,,\n"
              ",05/03/26,,,\n"
              ",,0.25,,\n"
              "\n"
              ",,,,Fin\n"
              "42,,,,\n");
}

TEST_F(TemplateWorkbookTest, ADateKeepsItsTimeOfDayAndANumberAllItsDigits) {
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    book.setValue(5, 2, dateSerial(std::chrono::year{2026} / 3 / 5, 0.75));  // 18:00
    book.setValue(5, 3, 0.1 + 0.2);
    book.setValue(5, 4, -1e21);
    book.saveAs(saved);

    auto cells = WorkbookRead(saved).cells();
    EXPECT_EQ(std::stod(cells["B5"].value), 46086.75);
    EXPECT_EQ(std::stod(cells["C5"].value), 0.1 + 0.2);
    EXPECT_EQ(std::stod(cells["D5"].value), -1e21);
}

TEST_F(TemplateWorkbookTest, RowsAndCellsStayInOrderAndTheDimensionFollows) {
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    book.setValue(3, 5, "entre filas");  // a new row between rows 2 and 4
    book.setValue(2, 1, "antes");        // before C2 in its row
    book.setValue(8, 2, "antes de E8");
    book.setValue(8, 7, "después de E8");
    book.setValue(12, 26, "al final");  // a new last row, a new last column
    book.setValue(10, 1, 1);            // between row 8 and row 12
    book.saveAs(saved);

    WorkbookRead read(saved);
    EXPECT_EQ(read.rowOrder(), (std::vector<int>{1, 2, 3, 4, 6, 8, 10, 12}));
    EXPECT_EQ(read.cellOrder(), (std::vector<std::string>{"A1", "A2", "C2", "D2", "E3", "A4", "B8",
                                                          "E8", "G8", "A10", "Z12"}));
    EXPECT_EQ(read.dimension(), "A1:Z12");

    // A row that announces the columns it spans covers its cells:
    pugi::xml_document sheet = read.xml(read.sheetPart(0));
    for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row")) {
        std::string spans = row.attribute("spans").value();
        if (spans.empty())
            continue;
        int first = std::stoi(spans), last = std::stoi(spans.substr(spans.find(':') + 1));
        for (pugi::xml_node cell : row.children("c")) {
            std::string reference = cell.attribute("r").value();
            int column = reference[0] - 'A' + 1;
            EXPECT_TRUE(column >= first && column <= last) << reference << " in " << spans;
        }
    }
}

TEST_F(TemplateWorkbookTest, EverythingButTheFilledSheetIsKeptAsItWas) {
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    book.setValue(5, 2, dateSerial(std::chrono::year{2026} / 3 / 5));
    book.saveAs(saved);

    WorkbookRead before(templateFile), after(saved);
    EXPECT_EQ(after.partNames(), before.partNames());
    for (const std::string& part : before.partNames()) {
        if (part != "xl/worksheets/sheet1.xml") {
            EXPECT_EQ(after.part(part), before.part(part)) << part;
        }
    }
    // And in the sheet, the columns and rows the template set up:
    std::string sheet = after.part("xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet.find("<cols><col min=\"2\" max=\"2\" width=\"12.7109375\""), std::string::npos);
    EXPECT_NE(sheet.find("customFormat=\"1\""), std::string::npos);
}

TEST_F(TemplateWorkbookTest, TextsReadBackAsTheyWereSet) {
    const std::string texts[] = {"  Técnico con blancos  ", "Lista & <norte> \"A\"", "dos\nlíneas",
                                 "TÉCNICO ÑANDÚ"};
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    for (int i = 0; i < 4; ++i)
        book.setValue(20 + i, 1, texts[i]);
    book.setValue(24, 1,
                  "a\x01"
                  "b_x0041_");
    book.saveAs(saved);

    WorkbookRead read(saved);
    auto cells = read.cells();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(cells["A" + std::to_string(20 + i)].value, texts[i]);
    EXPECT_EQ(cells["A24"].value, "a_x0001_b_x005F_x0041_");  // as the spreadsheet reads it back
    EXPECT_NE(read.part("xl/worksheets/sheet1.xml")
                  .find("<t xml:space=\"preserve\">  Técnico con blancos  </t>"),
              std::string::npos);
    EXPECT_NE(workbook_test::xlsx2csv(saved).find("TÉCNICO ÑANDÚ"), std::string::npos);
}

TEST_F(TemplateWorkbookTest, ClearingACellKeepsItsStyleAndDropsAnUnstyledOne) {
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    book.setValue(2, 3, 9.5);
    book.clearValue(2, 3);  // styled: stays, empty
    book.clearValue(8, 5);  // unstyled: goes, and the dimension with it
    book.clearValue(30, 30);
    book.saveAs(saved);

    WorkbookRead read(saved);
    auto cells = read.cells();
    ASSERT_EQ(cells.count("C2"), 1u);
    EXPECT_EQ(cells["C2"].value, "");
    EXPECT_EQ(read.style(cells["C2"].style).numberFormat, "0.00");
    EXPECT_EQ(cells.count("E8"), 0u);
    EXPECT_EQ(read.dimension(), "A1:D4");
}

TEST_F(TemplateWorkbookTest, CellsGoToTheSheetTheWorkbookOpensOn) {
    writeTemplate(templateFile, true);
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    book.setValue(2, 2, "en la segunda");
    book.saveAs(saved);

    WorkbookRead read(saved);
    EXPECT_EQ(read.cells(1)["B2"].value, "en la segunda");
    EXPECT_EQ(read.cells(0).count("B2"), 0u);
    EXPECT_EQ(read.dimension(1), "A1:B2");
}

TEST_F(TemplateWorkbookTest, ASheetWithoutAddressesOrDimensionIsFilledInPlace) {
    // Rows and cells may count on from the one before; the dimension is optional.
    workbook_test::replacePart(
        templateFile, "xl/worksheets/sheet1.xml",
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<sheetPr/><sheetData><row><c><v>1</v></c><c><v>2</v></c></row>"
        "<row r=\"3\"><c r=\"B3\"><v>3</v></c><c><v>4</v></c></row></sheetData></worksheet>");
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    book.setValue(2, 3, 5);
    book.setValue(3, 1, 6);
    book.saveAs(saved);

    WorkbookRead read(saved);
    EXPECT_EQ(read.cellOrder(), (std::vector<std::string>{"A1", "B1", "C2", "A3", "B3", "C3"}));
    EXPECT_EQ(read.cells()["C3"].value, "4");
    EXPECT_EQ(read.dimension(), "A1:C3");
    std::string sheet = read.part("xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheet.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"));
    EXPECT_NE(sheet.find("<sheetPr/><dimension ref=\"A1:C3\"/><sheetData>"), std::string::npos);
}

TEST_F(TemplateWorkbookTest, SavingTakesTheNewNameAndReplacesAnEarlierFile) {
    std::ofstream(saved) << "an earlier report, not even a workbook";
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    EXPECT_EQ(book.name(), "plantilla.xlsx");
    book.setValue(5, 1, "primera");
    book.saveAs(saved);
    EXPECT_EQ(book.name(), "semana.xls");
    book.setValue(5, 1, "segunda");
    book.saveAs(dir.path() / "otra.xls");

    EXPECT_EQ(WorkbookRead(saved).cells()["A5"].value, "primera");
    EXPECT_EQ(WorkbookRead(dir.path() / "otra.xls").cells()["A5"].value, "segunda");
    EXPECT_EQ(WorkbookRead(templateFile).cells().count("A5"), 0u);  // the template is untouched
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(dir.path()), {}).size(), 3u);
}

TEST_F(TemplateWorkbookTest, ReadOnlyIsRecommendedOnlyWhenAsked) {
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    book.saveAs(saved, {.readOnlyRecommended = true});
    book.saveAs(dir.path() / "libre.xls");

    std::string workbookXml = WorkbookRead(saved).part("xl/workbook.xml");
    EXPECT_NE(workbookXml.find("/><fileSharing readOnlyRecommended=\"1\"/><workbookPr"),
              std::string::npos);
    EXPECT_EQ(WorkbookRead(dir.path() / "libre.xls").part("xl/workbook.xml"),
              WorkbookRead(templateFile).part("xl/workbook.xml"));
}

TEST_F(TemplateWorkbookTest, AMissingOrBrokenTemplateIsNamedInTheError) {
    auto openingFails = [](const fs::path& file) {
        try {
            TemplateWorkbook::open(file);
        } catch (const WorkbookError& error) {
            return std::string(error.what());
        }
        return std::string("opened");
    };
    fs::path missing = dir.path() / "TICKETS_TECNICOS.XLS";
    EXPECT_EQ(openingFails(missing),
              "cannot open the workbook \"" + missing.string() + "\": no such file");
    fs::path text = dir.write("texto.xls", "Boletas resueltas\n");
    EXPECT_EQ(openingFails(text),
              "cannot open the workbook \"" + text.string() + "\": not a workbook file");
    EXPECT_EQ(openingFails(dir.path()),
              "cannot open the workbook \"" + dir.path().string() + "\": it is a folder");

    workbook_test::replacePart(templateFile, "xl/workbook.xml", "<workbook><sheets/></workbook>");
    EXPECT_EQ(openingFails(templateFile),
              "cannot open the workbook \"" + templateFile.string() +
                  "\": not a workbook file (the workbook has no sheet)");
    writeTemplate(templateFile);
    workbook_test::replacePart(templateFile, "xl/worksheets/sheet1.xml", "<worksheet><sheetD");
    EXPECT_TRUE(openingFails(templateFile)
                    .starts_with("cannot open the workbook \"" + templateFile.string() +
                                 "\": not a workbook file (the part xl/worksheets/sheet1.xml is "
                                 "not readable XML: "));
}

TEST_F(TemplateWorkbookTest, ASaveThatCannotBeWrittenIsNamedInTheErrorAndLeavesNothing) {
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    fs::path nowhere = dir.path() / "no existe" / "semana.xls";
    try {
        book.saveAs(nowhere);
        FAIL() << "saved";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "cannot save the workbook \"" + nowhere.string() +
                      "\": Failure to create temporary file: No such file or directory");
    }
    fs::create_directory(dir.path() / "carpeta.xls");
    EXPECT_THROW(book.saveAs(dir.path() / "carpeta.xls"), WorkbookError);
    EXPECT_EQ(book.name(), "plantilla.xlsx");  // still the open one

    fs::create_directory(dir.path() / "cerrada");
    fs::permissions(dir.path() / "cerrada", fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() != 0) {  // the superuser writes into any folder
        EXPECT_THROW(book.saveAs(dir.path() / "cerrada" / "semana.xls"), WorkbookError);
    }
    fs::permissions(dir.path() / "cerrada", fs::perms::owner_all);

    // No half-written file is left behind anywhere:
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
        left.push_back(fs::relative(entry.path(), dir.path()).string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"carpeta.xls", "cerrada", "plantilla.xlsx"}));
}

TEST_F(TemplateWorkbookTest, WrongCellsAndValuesAndAClosedWorkbookAreRefused) {
    TemplateWorkbook book = TemplateWorkbook::open(templateFile);
    EXPECT_THROW(book.setValue(0, 1, "x"), std::out_of_range);
    EXPECT_THROW(book.setValue(1, 16385, 1.0), std::out_of_range);
    EXPECT_THROW(book.clearValue(1048577, 1), std::out_of_range);
    EXPECT_THROW(book.setValue(1, 1, std::nan("")), std::invalid_argument);
    EXPECT_THROW(book.setValue(1, 1, DateSerial{INFINITY}), std::invalid_argument);
    EXPECT_THROW(book.setValue(1, 1, "Facturaci\xF3n"), std::invalid_argument);
    book.close();
    EXPECT_THROW(book.setValue(1, 1, "x"), std::logic_error);
    EXPECT_THROW(book.saveAs(saved), std::logic_error);
    EXPECT_NO_THROW(book.close());
    EXPECT_FALSE(fs::exists(saved));
}

}  // namespace
