#pragma once
// The window a report is shown in: the selection it was run with, the chart
// and the table of its layout, and the buttons to print it, to save it as a
// PDF document or a PNG picture, and to close it. One report window per
// program: running another report shows it there.

#include <QImage>
#include <QString>

#include <vector>

#include "form.h"
#include "report_data.h"
#include "report_definition.h"
#include "selection_formula.h"

class QChartView;
class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;
class QWidget;

namespace report {

class ReportWindow : public forms::Form {
public:
    explicit ReportWindow(forms::Program& program);

    // Shows a report in place of the one shown before; `file` names the
    // files it is saved to by default ("mensual.rpt" proposes "mensual.pdf").
    void showReport(const ReportDefinition& definition, const ReportRows& rows,
                    const std::vector<Condition>& conditions, const QString& file);

    void cmdImprimir_Click();
    void cmdGuardar_Click();
    void cmdCerrar_Click();

    // The report as it looks in the window, buttons left out.
    QImage image() const;
    // Writes the report to `path`: a PNG picture when the name ends in
    // ".png", else a PDF document of one landscape page. The file appears
    // whole or not at all; false when it could not be written.
    bool saveAs(const QString& path) const;

private:
    QWidget* pagina;
    QVBoxLayout* paginaLayout;
    QLabel* lblSeleccion;
    QChartView* grafica = nullptr;
    QTableWidget* tabla = nullptr;
    QPushButton* cmdImprimir;
    QPushButton* cmdGuardar;
    QPushButton* cmdCerrar;
    QString title_;
    QString baseName_;
};

}  // namespace report
