#pragma once
// B_Avance, caption "Exportando Reporte a MS Excel": the progress of the
// workbook report, the bar ProgressBar1 and the percentage Label1
// ("N% de avance"). The window has no code of its own: the report moves its
// controls through AvanceEnB_Avance.

#include <QPointer>
#include <QString>

#include <string>

#include "form.h"
#include "reporte_muestras.h"

class QLabel;
class QProgressBar;

namespace rejections {

class B_Avance : public forms::Form {
public:
    explicit B_Avance(forms::Program& program);

    // What the report sets, in one place: the bar's value over its maximum
    // and the label; each change is refreshed (drawn at once, or with the
    // long job's next round of window events).
    void avance(long valor, long maximo, const QString& etiqueta);

private:
    QProgressBar* ProgressBar1;
    QLabel* Label1;
    int paso_ = 1;  // the least move of the bar worth setting
};

// The progress window as the report sees it: shown modeless by muestra(),
// hidden by oculta() (or when this goes) once the report is over.
class AvanceEnB_Avance : public AvanceReporte {
public:
    explicit AvanceEnB_Avance(forms::Program& program) : program_(program) {}
    ~AvanceEnB_Avance() override { oculta(); }
    AvanceEnB_Avance(const AvanceEnB_Avance&) = delete;
    AvanceEnB_Avance& operator=(const AvanceEnB_Avance&) = delete;

    void muestra(long total) override;
    void avance(long valor, long maximo, const std::string& etiqueta) override;
    void oculta();

private:
    forms::Program& program_;
    QPointer<B_Avance> ventana_;  // null once it is unloaded
    std::string etiqueta_;        // the label last set, so that only a change is converted
    QString texto_;
};

}  // namespace rejections
