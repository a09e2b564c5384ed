#pragma once
// The current printer of the old runtime: its set-up dialog, and printing a
// window's image as it looks on the screen.

#include <QImage>
#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace forms {

class Printer {
public:
    virtual ~Printer() = default;

    // The printer dialog; the choice made there is the printer that later
    // prints use. Nothing is reported back.
    virtual void showSetup() = 0;

    // Prints a window's image on one page of the current printer, at the size
    // it has on the screen (96 pixels to the inch), from the page's top left
    // corner; an image wider or taller than the page is shrunk to fit.
    // Returns false when the printer could not print.
    virtual bool printImage(const QImage& image, const QString& jobName) = 0;

    // Prints a window's client area as it looks on the screen, the same way;
    // a printer that can keeps its texts as texts (a PDF file then holds
    // them). By default, its image through printImage().
    virtual bool printWidget(QWidget& widget, const QString& jobName);
};

// The desktop's printers through Qt PrintSupport.
class QtPrinter : public Printer {
public:
    QtPrinter();
    // A printer that writes PDF files to `pdfFile` instead.
    explicit QtPrinter(const QString& pdfFile);
    ~QtPrinter() override;

    void showSetup() override;
    bool printImage(const QImage& image, const QString& jobName) override;
    bool printWidget(QWidget& widget, const QString& jobName) override;

private:
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace forms
