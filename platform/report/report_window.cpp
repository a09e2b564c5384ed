#include "report_window.h"

#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "bar_chart_builder.h"
#include "controls.h"
#include "program.h"
#include "runtime/program_folder.h"
#include "services.h"
#include "table_builder.h"

namespace report {

namespace {

QString selectionText(const std::vector<Condition>& conditions) {
    QStringList parts;
    for (const Condition& c : conditions)
        parts << QString::fromStdString(c.field + ": " + c.value);
    return parts.join("     ");
}

}  // namespace

ReportWindow::ReportWindow(forms::Program& program) : Form(program, "ReportWindow") {
    setClientSizeTwips(12000, 9000);
    auto* layout = new QVBoxLayout(client());

    // The report itself: what was selected, then the chart and the table.
    pagina = forms::control<QWidget>("pagina", client());
    pagina->setAutoFillBackground(true);
    paginaLayout = new QVBoxLayout(pagina);
    lblSeleccion = forms::control<QLabel>("lblSeleccion", pagina);
    lblSeleccion->setAlignment(Qt::AlignCenter);
    paginaLayout->addWidget(lblSeleccion);
    layout->addWidget(pagina, 1);

    // The buttons:
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdImprimir = forms::control<QPushButton>("cmdImprimir", client());
    cmdImprimir->setText("&Imprimir");
    cmdGuardar = forms::control<QPushButton>("cmdGuardar", client());
    cmdGuardar->setText("&Guardar como...");
    cmdCerrar = forms::control<QPushButton>("cmdCerrar", client());
    cmdCerrar->setText("&Cerrar");
    for (QPushButton* b : {cmdImprimir, cmdGuardar, cmdCerrar})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(cmdImprimir, &QPushButton::clicked, this, &ReportWindow::cmdImprimir_Click);
    connect(cmdGuardar, &QPushButton::clicked, this, &ReportWindow::cmdGuardar_Click);
    connect(cmdCerrar, &QPushButton::clicked, this, &ReportWindow::cmdCerrar_Click);
}

void ReportWindow::showReport(const ReportDefinition& definition, const ReportRows& rows,
                              const std::vector<Condition>& conditions, const QString& file) {
    title_ = QString::fromStdString(definition.title);
    baseName_ = QFileInfo(file).completeBaseName();
    setWindowTitle(title_);
    lblSeleccion->setText(selectionText(conditions));
    lblSeleccion->setVisible(!conditions.empty());

    delete grafica;
    grafica = nullptr;
    delete tabla;
    tabla = nullptr;
    if (definition.bars) {
        grafica = new QChartView(buildBarChart(definition, chartData(definition, rows)), pagina);
        grafica->setObjectName("grafica");
        grafica->setRenderHint(QPainter::Antialiasing);
        grafica->setMinimumHeight(300);
        paginaLayout->addWidget(grafica, 3);
    }
    if (definition.table) {
        tabla = buildTable(definition, rows, pagina);
        tabla->setObjectName("tabla");
        paginaLayout->addWidget(tabla, 2);
    }
}

QImage ReportWindow::image() const {
    return pagina->grab().toImage();
}

bool ReportWindow::saveAs(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (path.endsWith(".png", Qt::CaseInsensitive)) {
        if (!image().save(&file, "PNG"))
            return false;
    } else {
        QPdfWriter pdf(&file);
        pdf.setTitle(title_);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(15, 15, 15, 15)));
        QPainter painter;
        if (!painter.begin(&pdf))
            return false;
        // The window's drawing itself, scaled to the page: lines and text
        // stay sharp at any zoom.
        const QRect page = painter.viewport();
        const double scale = std::min(double(page.width()) / pagina->width(),
                                      double(page.height()) / pagina->height());
        painter.scale(scale, scale);
        pagina->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        painter.end();
    }
    return file.commit();
}

void ReportWindow::cmdImprimir_Click() {
    setHourglass(true);
    const bool printed = services().printer->printWidget(*pagina, title_);
    setHourglass(false);
    if (!printed)
        msgBox("No se pudo imprimir el reporte.", forms::msg::Exclamation);
}

void ReportWindow::cmdGuardar_Click() {
    const QString path = services().fileDialog->showSave(
        {"Guardar reporte", "Documento PDF (*.pdf)|*.pdf|Imagen PNG (*.png)|*.png",
         QString::fromStdString(runtime::program_folder().string()), baseName_ + ".pdf"});
    if (path.isEmpty())
        return;
    QString target = path;
    if (!target.endsWith(".pdf", Qt::CaseInsensitive) &&
        !target.endsWith(".png", Qt::CaseInsensitive))
        target += ".pdf";
    setHourglass(true);
    const bool saved = saveAs(target);
    setHourglass(false);
    if (!saved)
        msgBox("No se pudo guardar el reporte en " + target + ".", forms::msg::Critical);
}

void ReportWindow::cmdCerrar_Click() {
    unloadMe();
}

}  // namespace report
