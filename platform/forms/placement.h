#pragma once
// Positions and sizes in twips, the unit of the old forms: 1440 to the inch,
// 15 to a pixel of a 96-dpi screen (Qt's device-independent pixel).

#include <QString>

class QWidget;

namespace sys {
class Settings;
}

namespace forms {

constexpr int kTwipsPerPixel = 15;

int toTwips(int pixels);
// The nearest whole pixel.
int toPixels(int twips);

// Where a window stands, in twips, its frame included: the old Left, Top,
// Width and Height.
struct Placement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Placement&) const = default;
};

// Places a control inside its parent, in twips.
void placeTwips(QWidget* control, int left, int top, int width, int height);

// Saves a window's placement as text settings of the program, as the old main
// windows did on closing: keys prefix + "Left", "Top", "Width", "Height"
// ("MainLeft" ... for the prefix "Main"), each a whole number of twips.
void savePlacement(sys::Settings& settings, const QString& program, const QString& section,
                   const QString& prefix, const Placement& placement);

}  // namespace forms
