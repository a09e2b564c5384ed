#include "printer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>

#include <regex>

#include "process.h"
#include "temp_dir.h"

namespace {

std::string runTool(const std::string& tool, const std::vector<std::string>& args) {
    testsupport::ProcessSpec command;
    command.program = tool;
    command.args = args;
    command.env = {{"PATH", "/usr/bin:/bin"}};
    const testsupport::ProcessResult result = testsupport::run_process(command);
    EXPECT_EQ(result.status, 0) << result.err;
    return result.out;
}

TEST(QtPrinter, PrintsAWindowsImageOnOnePage) {
    testsupport::TempDir dir;
    const std::string pdf = (dir.path() / "printed.pdf").string();
    QImage window(300, 200, QImage::Format_RGB32);
    window.fill(Qt::darkBlue);
    forms::QtPrinter printer(QString::fromStdString(pdf));
    ASSERT_TRUE(printer.printImage(window, "Observación de Calidad en Boletas VIV"));

    const std::string info = runTool("pdfinfo", {pdf});
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages:\\s+1\n"))) << info;
    // The window's image itself is on the page, pixel for pixel, at the size
    // it had on the screen (96 pixels to the inch).
    const std::string images = runTool("pdfimages", {"-list", pdf});
    EXPECT_TRUE(std::regex_search(images, std::regex("\\bimage\\s+300\\s+200\\s.*\\s96\\s+96\\s")))
        << images;
}

TEST(QtPrinter, PrintsAWindowWithItsTextsAsTexts) {
    testsupport::TempDir dir;
    const std::string pdf = (dir.path() / "window.pdf").string();
    QLabel window("JUAN PÉREZ, técnico");
    window.resize(300, 40);
    forms::QtPrinter printer(QString::fromStdString(pdf));
    ASSERT_TRUE(printer.printWidget(window, "Observación de Calidad en Boletas VIV"));
    const std::string texto = runTool("pdftotext", {pdf, "-"});
    EXPECT_NE(texto.find("JUAN PÉREZ, técnico"), std::string::npos) << texto;
}

TEST(QtPrinter, RefusesAnEmptyImage) {
    testsupport::TempDir dir;
    forms::QtPrinter printer(QString::fromStdString((dir.path() / "none.pdf").string()));
    EXPECT_FALSE(printer.printImage(QImage(), "nothing"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "none.pdf"));
}

}  // namespace
