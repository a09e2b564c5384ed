#include "long_job.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "form.h"
#include "runtime/still_working.h"

#include <time.h>

namespace forms {

namespace {

constexpr long kMillisecondsBetweenRounds = 50;

// The coarse clock (a few milliseconds fine) costs a few nanoseconds: the
// loops ask it once per record.
long millisecondsNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return static_cast<long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The program's window that `target` belongs to; a popup (a menu) belongs
// to the window it opened from.
Form* formOf(QObject* target) {
    for (QObject* object = target; object; object = object->parent()) {
        if (auto* window = qobject_cast<QWindow*>(object)) {
            for (QWidget* topLevel : QApplication::topLevelWidgets()) {
                if (topLevel->windowHandle() == window)
                    return formOf(topLevel);
            }
            return nullptr;
        }
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            QWidget* window = widget->window();
            while (window->windowType() == Qt::Popup && window->parentWidget())
                window = window->parentWidget()->window();
            return qobject_cast<Form*>(window);
        }
    }
    return nullptr;
}

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::NonClientAreaMouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::InputMethod:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

// Discards what the user does to the program's windows while a job runs.
class InputHold : public QObject {
protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (isUserInput(type))
            return event->spontaneous() && formOf(target);
        if (type == QEvent::Shortcut || type == QEvent::ShortcutOverride)
            return formOf(target) != nullptr;
        // A timer control would run its handler in the middle of the job.
        if (type == QEvent::Timer && qobject_cast<QTimer*>(target))
            return formOf(target) != nullptr;
        return false;
    }
};

struct Deferred {
    QPointer<QObject> context;
    std::function<void()> call;
};

struct JobState {
    int depth = 0;
    bool answering = false;
    long lastRound = -1;  // none yet in this job
    InputHold hold;
    std::vector<Deferred> deferred;
    runtime::StillWorkingHook previousHook = nullptr;
};

JobState& state() {
    static JobState jobs;
    return jobs;
}

void answerNow() {
    JobState& jobs = state();
    jobs.answering = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    jobs.answering = false;
    jobs.lastRound = millisecondsNow();
}

}  // namespace

LongJob::LongJob() {
    JobState& jobs = state();
    if (jobs.depth++ > 0)
        return;
    jobs.lastRound = -1;
    if (qApp)
        qApp->installEventFilter(&jobs.hold);
    jobs.previousHook = runtime::set_still_working_hook(&LongJob::answerIfDue);
}

LongJob::~LongJob() {
    JobState& jobs = state();
    if (jobs.depth > 1) {
        --jobs.depth;
        return;
    }
    // What the user did since the last round is discarded too.
    answerNow();
    runtime::set_still_working_hook(jobs.previousHook);
    if (qApp)
        qApp->removeEventFilter(&jobs.hold);
    jobs.depth = 0;
    std::vector<Deferred> deferred = std::move(jobs.deferred);
    jobs.deferred.clear();
    for (Deferred& later : deferred) {
        if (later.context)
            QMetaObject::invokeMethod(later.context, std::move(later.call), Qt::QueuedConnection);
    }
}

bool LongJob::running() {
    return state().depth > 0;
}

void LongJob::afterJob(QObject* context, std::function<void()> call) {
    state().deferred.push_back({context, std::move(call)});
}

void LongJob::answerIfDue() {
    JobState& jobs = state();
    if (jobs.depth == 0 || jobs.answering)
        return;
    if (jobs.lastRound >= 0 && millisecondsNow() - jobs.lastRound < kMillisecondsBetweenRounds)
        return;
    answerNow();
}

void refresh(QWidget* control) {
    if (!LongJob::running()) {
        control->repaint();
        return;
    }
    LongJob::answerIfDue();
}

}  // namespace forms
