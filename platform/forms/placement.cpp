#include "placement.h"

#include <QWidget>

#include <cmath>

#include "settings.h"

namespace forms {

int toTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

int toPixels(int twips) {
    return static_cast<int>(std::lround(twips / double(kTwipsPerPixel)));
}

void placeTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

void savePlacement(sys::Settings& settings, const QString& program, const QString& section,
                   const QString& prefix, const Placement& placement) {
    settings.saveSetting(program, section, prefix + "Left", QString::number(placement.left));
    settings.saveSetting(program, section, prefix + "Top", QString::number(placement.top));
    settings.saveSetting(program, section, prefix + "Width", QString::number(placement.width));
    settings.saveSetting(program, section, prefix + "Height", QString::number(placement.height));
}

}  // namespace forms
