#pragma once
// The product's picture on the splash and about windows: its initial on a
// coloured tile, drawn rather than loaded so that no file can be missing.

#include <QPixmap>
#include <QString>

namespace shell {

QPixmap productPicture(const QString& product, int size);

}  // namespace shell
