#include "grid_window.h"

#include <algorithm>

namespace rejections {

QString contador_registros(const forms::DataRecordset& rs) {
    return "Registro: " + QString::number(rs.absolutePosition() + 1) +
           " de: " + QString::number(rs.recordCount());
}

void acomoda_rejilla(QWidget* client, QWidget* grid, forms::DataControl* data, QWidget* strip,
                     int button_height) {
    const int width = client->width();
    const int data_height = data->sizeHint().height();
    const int strip_height = button_height + 8;
    const int grid_height = std::max(0, client->height() - data_height - strip_height - 1);
    grid->setGeometry(0, 0, width, grid_height);
    data->setGeometry(0, grid_height, width, data_height);
    strip->setGeometry(0, grid_height + data_height, width, strip_height);
}

}  // namespace rejections
