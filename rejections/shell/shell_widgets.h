#pragma once
// What the splash and about windows are drawn with: the product's picture,
// its initial on a coloured tile (drawn rather than loaded, so that no file
// can be missing), and the labels of their fixed texts.

#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

namespace shell {

QPixmap productPicture(const QString& product, int size);

// A label named as in the old form, holding a fixed text that wraps,
// placed in twips inside its parent.
QLabel* fixedLabel(const char* name, QWidget* parent, const QString& text, int left, int top,
                   int width, int height);

}  // namespace shell
