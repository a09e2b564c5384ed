#pragma once
// What the two grid windows of riruzoz (the filtered samples and the totals
// per central) share: the record counter and the layout of the grid above
// its data control and button strip.

#include <QString>
#include <QWidget>

#include "data_control.h"

namespace rejections {

// "Registro: n de: m" for the data control's current row.
QString contador_registros(const forms::DataRecordset& rs);

// The grid takes the height that the data control and the button strip
// (as tall as its buttons, plus a margin) leave in the client area.
void acomoda_rejilla(QWidget* client, QWidget* grid, forms::DataControl* data, QWidget* strip,
                     int button_height);

}  // namespace rejections
