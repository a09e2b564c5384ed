#include "printer.h"

#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace forms {

namespace {

// The screen's pixels, as the windows are laid out.
constexpr double kScreenDpi = 96.0;

}  // namespace

QtPrinter::QtPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

QtPrinter::QtPrinter(const QString& pdfFile) : QtPrinter() {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(pdfFile);
}

QtPrinter::~QtPrinter() = default;

void QtPrinter::showSetup() {
    QPrintDialog dialog(printer_.get(), QApplication::activeWindow());
    dialog.exec();
}

bool QtPrinter::printImage(const QImage& image, const QString& jobName) {
    if (image.isNull())
        return false;
    printer_->setDocName(jobName);
    QPainter painter;
    if (!painter.begin(printer_.get()))
        return false;
    const QRect page = painter.viewport();
    double scale = printer_->resolution() / kScreenDpi;
    scale = std::min(
        {scale, page.width() / double(image.width()), page.height() / double(image.height())});
    painter.drawImage(QRectF(0, 0, image.width() * scale, image.height() * scale), image);
    return painter.end();
}

}  // namespace forms
