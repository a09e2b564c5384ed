// New workbooks of one sheet, in the shape of the programs' reports, read
// back from disk.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "new_workbook.h"
#include "temp_dir.h"
#include "workbook_reader.h"

namespace {

using workbook::CellFormat;
using workbook::HorizontalAlignment;
using workbook::NewWorkbook;
using workbook::PageLayout;
using workbook::WorkbookError;
using workbook_test::WorkbookRead;

namespace fs = std::filesystem;

const char* const kSheetName = "Registros Facturación2026.12.09";  // 31 characters

PageLayout reportLayout() {
    PageLayout layout;
    layout.printTitleRows = workbook::PrintTitleRows{1, 1};
    layout.orientation = workbook::Orientation::landscape;
    layout.centerHorizontally = true;
    layout.printHeadings = false;
    layout.bottomMargin = workbook::centimetersToPoints(0.8);
    layout.leftFooter = "&08 &B Departamento de Facturación";
    layout.centerFooter = "&08 &B &F (&A) ";
    layout.rightFooter = "&08 &B Página: &p de: &N";
    layout.fitToPages = workbook::FitToPages{1, 15};
    return layout;
}

// A report as the programs write it: named sheet, print layout, table
// formats, a header row, then the records.
void writeReport(NewWorkbook& book, int columns, int records) {
    book.nameSheet(kSheetName);
    book.setPageLayout(reportLayout());
    book.formatEveryCell({.borders = true, .alignment = HorizontalAlignment::center});
    book.formatRow(1, {.bold = true, .fontSize = 12});
    book.autoFitColumns();
    for (int column = 1; column <= columns; ++column)
        book.setValue(1, column, "Campo " + std::to_string(column));
    for (int row = 2; row <= records + 1; ++row)
        for (int column = 1; column <= columns; ++column)
            if (column == 1)
                book.setValue(row, column, "registro " + std::to_string(row - 1));
            else if (column == 3)
                book.clearValue(row, column);  // an empty field
            else
                book.setValue(row, column, row * 100 + column);
}

struct NewWorkbookTest : ::testing::Test {
    testsupport::TempDir dir;
    fs::path file = dir.path() / "Registros de Facturación.xls";
};

TEST_F(NewWorkbookTest, AReportHasItsSheetCellsAndFormats) {
    NewWorkbook book;
    writeReport(book, 38, 3);
    book.saveAs(file);
    book.close();

    WorkbookRead read(file);
    EXPECT_EQ(read.sheetNames(), std::vector<std::string>{kSheetName});
    EXPECT_EQ(read.dimension(), "A1:AL4");
    auto cells = read.cells();
    EXPECT_EQ(cells.size(), 38u * 4);
    EXPECT_EQ(cells["AL1"].value, "Campo 38");
    EXPECT_EQ(cells["A4"].value, "registro 3");
    EXPECT_EQ(cells["B2"].type, "");  // numbers stay numbers
    EXPECT_EQ(cells["B2"].value, "202");
    EXPECT_EQ(cells["C3"].value, "");

    auto header = read.style(cells["A1"].style);
    EXPECT_TRUE(header.bold);
    EXPECT_EQ(header.fontSize, 12);
    EXPECT_EQ(header.leftBorder, "thin");
    EXPECT_EQ(header.horizontal, "center");
    for (const char* reference : {"A2", "B4", "C3", "AL4"}) {
        auto body = read.style(cells[reference].style);
        EXPECT_FALSE(body.bold) << reference;
        EXPECT_EQ(body.fontSize, 11) << reference;
        EXPECT_EQ(body.bottomBorder, "thin") << reference;
        EXPECT_EQ(body.horizontal, "center") << reference;
    }

    EXPECT_EQ(workbook_test::xlsx2csv(file).substr(0, 40),
              "Campo 1,Campo 2,Campo 3,Campo 4,Campo 5,");
    EXPECT_NE(workbook_test::xlsx2csv(file).find("\nregistro 2,302,,304,305,"), std::string::npos);
}

// Every character comes back: the spreadsheet program reads the escapes of
// what XML can't hold as the characters they stand for, and a literal
// escape as the text it was. xlsx2csv reads the file and shows the escapes.
TEST_F(NewWorkbookTest, TextsReadBackWithEveryCharacter) {
    using namespace std::string_literals;
    struct Case {
        std::string text;
        const char* stored;
    } cases[] = {
        {"  Central Norte  ", "  Central Norte  "},
        {"Facturación & <red> \"IN\"", "Facturación & <red> \"IN\""},
        {"\x04\0\0ABCN"s, "_x0004__x0000__x0000_ABCN"},  // a route with its zeros
        {"\0"s, "_x0000_"},
        {"a\x01"
         "b_x0041_\r",
         "a_x0001_b_x005F_x0041__x000D_"},
        {"\x1F\x7F\tfin\r\n", "_x001F_\x7F\tfin_x000D_\n"},
        {"\xEF\xBF\xBF", "_xFFFF_"},
    };
    NewWorkbook book;
    int column = 0;
    for (const Case& c : cases)
        book.setValue(1, ++column, c.text);
    book.saveAs(file);

    auto cells = WorkbookRead(file).cells();
    column = 0;
    for (const Case& c : cases) {
        const auto& cell = cells[workbook::cellReference(1, ++column)];
        EXPECT_EQ(cell.value, c.stored) << column;
        EXPECT_EQ(workbook_test::spreadsheetText(cell.value), c.text) << column;
    }
    const std::string csvStart =
        "  Central Norte  ,\"Facturación & <red> \"\"IN\"\"\",_x0004__x0000__x0000_ABCN,_x0000_,";
    EXPECT_EQ(workbook_test::xlsx2csv(file).substr(0, csvStart.size()), csvStart);
}

TEST_F(NewWorkbookTest, ThePageLayoutIsSavedWithTheSheet) {
    NewWorkbook book;
    writeReport(book, 5, 2);
    book.saveAs(file);

    WorkbookRead read(file);
    pugi::xml_document sheetXml = read.xml(read.sheetPart(0));
    pugi::xml_node sheet = sheetXml.child("worksheet");
    EXPECT_STREQ(sheet.child("sheetPr").child("pageSetUpPr").attribute("fitToPage").value(), "1");
    EXPECT_STREQ(sheet.child("pageSetup").attribute("orientation").value(), "landscape");
    EXPECT_STREQ(sheet.child("pageSetup").attribute("fitToWidth").value(), "");  // 1 is the default
    EXPECT_STREQ(sheet.child("pageSetup").attribute("fitToHeight").value(), "15");
    EXPECT_STREQ(sheet.child("printOptions").attribute("horizontalCentered").value(), "1");
    EXPECT_FALSE(sheet.child("printOptions").attribute("headings"));
    EXPECT_NEAR(sheet.child("pageMargins").attribute("bottom").as_double(), 0.8 / 2.54, 1e-9);
    EXPECT_STREQ(sheet.child("headerFooter").child("oddFooter").text().get(),
                 "&L&08 &B Departamento de Facturación&C&08 &B &F (&A) &R&08 &B Página: &p de: &N");

    pugi::xml_document workbookXml = read.xml("xl/workbook.xml");
    pugi::xml_node titles =
        workbookXml.child("workbook").child("definedNames").child("definedName");
    EXPECT_STREQ(titles.attribute("name").value(), "_xlnm.Print_Titles");
    EXPECT_EQ(std::string(titles.text().get()), "'" + std::string(kSheetName) + "'!$1:$1");
}

TEST_F(NewWorkbookTest, ColumnsAreFittedToTheirLongestValue) {
    NewWorkbook book;
    book.formatRow(1, {.bold = true, .fontSize = 12});
    book.autoFitColumns();
    book.setValue(1, 1, "TR");
    book.setValue(1, 2, "Servicio de Red Inteligente");
    book.setValue(2, 1, "una descripción bastante más larga");
    book.setValue(2, 2, "corto");
    book.setValue(2, 4, 123456.5);
    book.saveAs(file);

    WorkbookRead read(file);
    std::map<int, double> widths;
    pugi::xml_document sheetXml = read.xml(read.sheetPart(0));
    pugi::xml_node sheet = sheetXml.child("worksheet");
    for (pugi::xml_node column : sheet.child("cols").children("col"))
        widths[column.attribute("min").as_int()] = column.attribute("width").as_double();
    ASSERT_EQ(widths.size(), 3u);  // column C holds nothing
    EXPECT_GT(widths[1], 34);      // the long text in row 2
    EXPECT_LT(widths[1], 45);
    EXPECT_GT(widths[2], 27 * 12 / 11.0);  // the bold, larger header
    EXPECT_GT(widths[4], 8);
    EXPECT_LT(widths[4], 12);
}

TEST_F(NewWorkbookTest, ManyThousandsOfRowsStreamToTheFile) {
    NewWorkbook book;
    writeReport(book, 29, 20000);
    book.saveAs(file);

    WorkbookRead read(file);
    EXPECT_EQ(read.dimension(), "A1:AC20001");
    auto rows = read.rowOrder();
    EXPECT_EQ(rows.size(), 20001u);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end()));
    auto cells = read.cells();
    EXPECT_EQ(cells["A20001"].value, "registro 20000");
    EXPECT_EQ(cells["AC20001"].value, std::to_string(20001 * 100 + 29));
}

// A table longer than a sheet goes on in the next: each sheet with its own
// rows from 1 and its own widths, all printed alike with their titles.
TEST_F(NewWorkbookTest, FurtherSheetsTakeTheLayoutAndFormatsOfTheFirst) {
    NewWorkbook book;
    writeReport(book, 3, 2);
    book.addSheet("Registros Facturación (2)");
    EXPECT_THROW(book.addSheet("REGISTROS facturación (2)"), std::invalid_argument);
    EXPECT_THROW(book.addSheet(kSheetName), std::invalid_argument);  // the first one's
    EXPECT_THROW(book.formatRow(5, {.bold = true}), std::logic_error);
    for (int column = 1; column <= 3; ++column)
        book.setValue(1, column, "Campo " + std::to_string(column));
    book.setValue(2, 1, "un registro de la segunda hoja, más largo");
    book.saveAs(file);

    WorkbookRead read(file);
    EXPECT_EQ(read.sheetNames(),
              (std::vector<std::string>{kSheetName, "Registros Facturación (2)"}));
    EXPECT_EQ(read.dimension(0), "A1:C3");
    EXPECT_EQ(read.dimension(1), "A1:C2");
    auto second = read.cells(1);
    EXPECT_EQ(second["C1"].value, "Campo 3");
    EXPECT_TRUE(read.style(second["A1"].style).bold);
    EXPECT_EQ(read.style(second["A2"].style).bottomBorder, "thin");
    EXPECT_FALSE(read.style(second["A2"].style).bold);
    EXPECT_EQ(read.cells(0)["A3"].value, "registro 2");

    std::vector<double> firstWidths;
    for (int sheetIndex : {0, 1}) {
        pugi::xml_document sheetXml = read.xml(read.sheetPart(sheetIndex));
        pugi::xml_node sheet = sheetXml.child("worksheet");
        EXPECT_STREQ(sheet.child("pageSetup").attribute("orientation").value(), "landscape");
        EXPECT_STREQ(sheet.child("pageSetup").attribute("fitToHeight").value(), "15");
        EXPECT_STREQ(sheet.child("headerFooter").child("oddFooter").text().get(),
                     "&L&08 &B Departamento de Facturación&C&08 &B &F (&A) &R&08 &B Página: &p "
                     "de: &N");
        double width = sheet.child("cols").child("col").attribute("width").as_double();
        firstWidths.push_back(width);
    }
    EXPECT_GT(firstWidths[1], firstWidths[0] + 20);  // the long text is only on the second

    pugi::xml_document workbookXml = read.xml("xl/workbook.xml");
    std::vector<std::string> titles;
    for (pugi::xml_node name : workbookXml.child("workbook").child("definedNames").children())
        titles.push_back(name.attribute("localSheetId").value() + std::string(" ") +
                         name.text().get());
    std::sort(titles.begin(), titles.end());  // the file keeps them in the order of their names
    EXPECT_EQ(titles, (std::vector<std::string>{"0 '" + std::string(kSheetName) + "'!$1:$1",
                                                "1 'Registros Facturación (2)'!$1:$1"}));
    EXPECT_EQ(workbook_test::xlsx2csv(file).substr(0, 24), "Campo 1,Campo 2,Campo 3\n");
}

TEST_F(NewWorkbookTest, ASecondReportReplacesTheFirstWithoutAsking) {
    std::ofstream(file) << "an old report";
    for (int records : {5, 2}) {
        NewWorkbook book;
        writeReport(book, 4, records);
        book.saveAs(file);
    }
    EXPECT_EQ(WorkbookRead(file).dimension(), "A1:D3");
    // Nothing else is left in the folder:
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(dir.path()), {}),
              std::vector<fs::path>{file});
}

TEST_F(NewWorkbookTest, ASheetWithoutNameOrCellsIsStillAWorkbook) {
    NewWorkbook book;
    book.saveAs(file);
    book.saveAs(dir.path() / "copia.xls");  // the same workbook once more
    EXPECT_EQ(WorkbookRead(file).sheetNames(), std::vector<std::string>{"Sheet1"});
    EXPECT_EQ(WorkbookRead(dir.path() / "copia.xls").part("xl/workbook.xml"),
              WorkbookRead(file).part("xl/workbook.xml"));
}

TEST_F(NewWorkbookTest, ASaveThatCannotBeWrittenIsNamedInTheError) {
    NewWorkbook book;
    writeReport(book, 3, 1);
    fs::path nowhere = dir.path() / "no existe" / "Reporte de Riruzozs.xls";
    try {
        book.saveAs(nowhere);
        FAIL() << "saved";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(std::string(error.what()), "cannot save the workbook \"" + nowhere.string() +
                                                 "\": No such file or directory");
    }
    fs::create_directory(file);
    try {
        book.saveAs(file);
        FAIL() << "saved";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(std::string(error.what()), "cannot save the workbook \"" + file.string() +
                                                 "\": a folder of that name is in the way");
    }
    fs::path elsewhere = dir.path() / "Reporte de Riruzozs.xls";
    book.saveAs(elsewhere);  // the workbook is still whole
    EXPECT_EQ(WorkbookRead(elsewhere).cells()["A2"].value, "registro 1");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);
}

TEST_F(NewWorkbookTest, NamesTheFileFormatCannotTakeAreRefused) {
    NewWorkbook book;
    for (std::string name : {"", "Registros Facturación2026.12.09X", "a/b", "a:b", "[a]", "a?",
                             "a*", "a\\b", "'a", "a'", "Facturaci\xF3n"})
        EXPECT_THROW(book.nameSheet(name), std::invalid_argument) << name;
    EXPECT_NO_THROW(book.nameSheet("Muestras SRT 2008.06.15"));
}

TEST_F(NewWorkbookTest, WritingOutOfOrderOrAfterSavingIsRefused) {
    NewWorkbook book;
    book.setValue(3, 2, "c");
    book.setValue(3, 1, "a");  // the cells of a row in any order
    EXPECT_THROW(book.setValue(2, 1, "b"), std::logic_error);
    EXPECT_THROW(book.nameSheet("tarde"), std::logic_error);
    EXPECT_THROW(book.formatEveryCell({.bold = true}), std::logic_error);
    EXPECT_THROW(book.formatRow(3, {.bold = true}), std::logic_error);
    EXPECT_NO_THROW(book.formatRow(4, {.bold = true}));
    EXPECT_THROW(book.setValue(5, 0, 1.0), std::out_of_range);
    EXPECT_THROW(book.setValue(5, 1, INFINITY), std::invalid_argument);
    EXPECT_THROW(book.setValue(5, 1, std::string(32768, 'x')), std::invalid_argument);
    EXPECT_THROW(book.setValue(5, 1, "\xFF"), std::invalid_argument);

    PageLayout layout;
    layout.rightFooter = std::string(254, 'x');
    EXPECT_THROW(book.setPageLayout(layout), std::invalid_argument);  // "&R" counts too
    layout.rightFooter.clear();
    layout.printTitleRows = workbook::PrintTitleRows{2, 1};
    EXPECT_THROW(book.setPageLayout(layout), std::invalid_argument);

    book.saveAs(file);
    EXPECT_THROW(book.setValue(9, 1, "x"), std::logic_error);
    book.close();
    EXPECT_THROW(book.saveAs(file), std::logic_error);
}

TEST_F(NewWorkbookTest, ClosingWithoutSavingWritesNothing) {
    // The draft goes to the temporary folder, here one of the test's own.
    fs::path drafts = dir.path() / "tmp";
    fs::create_directory(drafts);
    std::string previous = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    ::setenv("TMPDIR", drafts.c_str(), 1);
    {
        NewWorkbook book;
        writeReport(book, 3, 10);
        EXPECT_EQ(std::distance(fs::directory_iterator(drafts), {}), 1);
    }
    previous.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", previous.c_str(), 1);
    EXPECT_TRUE(fs::is_empty(drafts));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
