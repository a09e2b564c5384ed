#include "wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace forms {

QtWaitCursor::~QtWaitCursor() {
    set(false);
}

void QtWaitCursor::set(bool waiting) {
    if (waiting == waiting_)
        return;
    if (waiting)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::restoreOverrideCursor();
    waiting_ = waiting;
}

}  // namespace forms
