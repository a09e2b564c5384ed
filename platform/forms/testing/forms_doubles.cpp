#include "forms_doubles.h"

#include "form.h"

namespace forms {

int MessageBoxDouble::show(const QString& text, int style, const QString& title) {
    shown.push_back({text, style, title});
    if (answers.empty())
        return defaultAnswer(style);
    const int next = answers.front();
    answers.pop_front();
    return next;
}

void MessageBoxDouble::answer(std::initializer_list<int> next) {
    answers.insert(answers.end(), next.begin(), next.end());
}

void WaitCursorDouble::set(bool on) {
    waiting = on;
    changes.push_back(on);
}

QString FileDialogDouble::showOpen(const OpenFileRequest& request) {
    requests.push_back(request);
    return nextPath();
}

QString FileDialogDouble::showSave(const OpenFileRequest& request) {
    saveRequests.push_back(request);
    return nextPath();
}

QString FileDialogDouble::nextPath() {
    if (paths.empty())
        return QString();
    QString next = paths.front();
    paths.pop_front();
    return next;
}

bool PrinterDouble::printImage(const QImage& image, const QString& jobName) {
    images.push_back(image);
    jobs << jobName;
    return succeeds;
}

void ModalLoopDouble::run(Form& form) {
    shown << form.objectName();
    if (actions.empty())
        return;
    Action next = std::move(actions.front());
    actions.pop_front();
    next(form);
}

}  // namespace forms
