#include "printer.h"

#include <QApplication>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include <algorithm>

namespace forms {

namespace {

// The screen's pixels, as the windows are laid out.
constexpr double kScreenDpi = 96.0;

}  // namespace

bool Printer::printWidget(QWidget& widget, const QString& jobName) {
    return printImage(widget.grab().toImage(), jobName);
}

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

bool QtPrinter::printWidget(QWidget& widget, const QString& jobName) {
    if (widget.width() <= 0 || widget.height() <= 0)
        return false;
    // Recorded as drawing commands and played on the page at the screen's
    // resolution: the texts stay texts, measured as on the screen (a
    // widget rendered straight onto a printer comes out as one bitmap).
    QPicture picture;
    {
        QPainter recorder(&picture);
        widget.render(&recorder, QPoint(), QRegion(),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    const int resolution = printer_->resolution();
    printer_->setResolution(picture.logicalDpiX());
    printer_->setDocName(jobName);
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        printer_->setResolution(resolution);
        return false;
    }
    const QRect page = painter.viewport();
    const double scale = std::min(
        {1.0, page.width() / double(widget.width()), page.height() / double(widget.height())});
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, picture);
    const bool printed = painter.end();
    printer_->setResolution(resolution);
    return printed;
}

}  // namespace forms
