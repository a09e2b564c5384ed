#include "beep.h"

#include <QApplication>

namespace forms {

void QtBeep::beep() {
    QApplication::beep();
}

}  // namespace forms
