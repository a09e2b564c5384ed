#include "modal_loop.h"

#include <QEventLoop>
#include <QPointer>

#include "form.h"

namespace forms {

void QtModalLoop::run(Form& form) {
    QPointer<Form> shown(&form);
    if (!form.isVisible())
        return;
    QEventLoop loop;
    QObject::connect(&form, &Form::hiddenOrUnloaded, &loop, &QEventLoop::quit);
    QObject::connect(&form, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (shown && shown->isVisible())
        loop.exec(QEventLoop::DialogExec);
}

}  // namespace forms
