#include "program.h"

#include <QApplication>
#include <QObject>
#include <QThread>

#include <algorithm>
#include <stdexcept>

#include "data_control.h"
#include "long_job.h"

namespace forms {

Program::Program(QString title, Services services)
    : title_(std::move(title)),
      services_(std::move(services)),
      context_(std::make_unique<QObject>()) {
    if (!services_.complete())
        throw std::invalid_argument("forms::Program: a service is missing");
}

Program::~Program() {
    // The windows go without their unload handlers, as at the old End.
    context_.reset();
    loaded_.clear();
    retiring_.clear();
    // Windows unloaded earlier whose deletion is still queued.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Loading and showing.

Form* Program::adopt(std::unique_ptr<Form> form) {
    QPointer<Form> guard(form.get());
    loaded_.push_back(std::move(form));
    guard->Form_Load();
    // The data controls that Load did not refresh open now, as they did after
    // the old Form_Load.
    if (guard && isLoaded(guard)) {
        const auto controls = guard->findChildren<DataControl*>();
        for (QPointer<DataControl> data : controls)
            if (data && guard && isLoaded(guard))
                data->openAfterLoad();
    }
    return guard && isLoaded(guard) ? guard.data() : nullptr;
}

bool Program::show(Form& form, ShowMode mode) {
    if (ended_ || !isLoaded(&form))
        return false;
    QPointer<Form> guard(&form);
    if (mode == Modal)
        form.setWindowModality(Qt::ApplicationModal);
    const bool alreadyActive = form.isVisible() && QApplication::activeWindow() == &form;
    form.show();
    form.raise();
    if (!alreadyActive) {
        form.activateWindow();
        expectedActivations_.emplace_back(&form);
    }
    activate(form);
    if (!guard || !isLoaded(guard))
        return false;
    if (mode == Modal) {
        ++modalDepth_;
        services_.modalLoop->run(form);
        --modalDepth_;
        if (modalDepth_ == 0) {
            for (auto& retired : retiring_)
                retired.release()->deleteLater();
            retiring_.clear();
        }
        if (guard && isLoaded(guard) && !guard->isVisible())
            guard->setWindowModality(Qt::NonModal);
    }
    return guard && isLoaded(guard);
}

// Activation.

void Program::activate(Form& form) {
    if (lastActive_ == &form)
        return;
    lastActive_ = &form;
    form.Form_Activate();
}

void Program::windowActivated(Form& form) {
    // A click on another window during a long job must not run its Activate
    // in the middle of the job: the report waits for the job's end.
    if (LongJob::running()) {
        LongJob::afterJob(context_.get(), [this, window = QPointer<Form>(&form)] {
            if (window)
                windowActivated(*window);
        });
        return;
    }
    // A hidden window's activation is a stale report of the window system.
    if (ended_ || !isLoaded(&form) || !form.isVisible())
        return;
    // The program activated this window itself when it showed it; the window
    // system only confirms it now (and the ones asked for before it are past).
    const auto expected =
        std::find(expectedActivations_.begin(), expectedActivations_.end(), QPointer<Form>(&form));
    if (expected != expectedActivations_.end()) {
        expectedActivations_.erase(expectedActivations_.begin(), expected + 1);
        return;
    }
    activate(form);
}

void Program::windowHidden(Form& form) {
    if (ended_ || !isLoaded(&form))
        return;
    forgetActivation(&form);
}

void Program::forgetActivation(const Form* form) {
    std::erase_if(expectedActivations_,
                  [form](const QPointer<Form>& expected) { return !expected || expected == form; });
    if (lastActive_ != form)
        return;
    lastActive_ = nullptr;
    // Hand the keyboard to the window used before, as a window manager would,
    // once the code that hid this one has finished: it may show another.
    afterThisCode([this] { handOverActivation(); });
}

void Program::handOverActivation() {
    if (ended_ || lastActive_)
        return;
    for (auto it = loaded_.rbegin(); it != loaded_.rend(); ++it) {
        Form& next = **it;
        if (next.isVisible()) {
            next.activateWindow();
            expectedActivations_.emplace_back(&next);
            activate(next);
            return;
        }
    }
}

Form* Program::activeForm() const {
    return lastActive_ && isLoaded(lastActive_) ? lastActive_.data() : nullptr;
}

// Unloading.

bool Program::unload(Form& form, UnloadMode mode) {
    if (ended_ || !isLoaded(&form))
        return false;
    QPointer<Form> guard(&form);
    if (std::find(unloading_.begin(), unloading_.end(), guard) != unloading_.end())
        return false;  // its own unload handler asked again
    unloading_.push_back(guard);
    bool cancel = false;
    form.Form_QueryUnload(cancel, mode);
    if (!cancel && guard && !ended_)
        form.Form_Unload(cancel);
    std::erase(unloading_, guard);
    if (ended_)
        return true;  // the handler ended the program: every window is gone
    if (cancel || !guard || !isLoaded(guard))
        return false;

    const auto it = std::find_if(loaded_.begin(), loaded_.end(),
                                 [&](const auto& loaded) { return loaded.get() == &form; });
    std::unique_ptr<Form> leaving = std::move(*it);
    loaded_.erase(it);
    forgetActivation(&form);
    form.hide();
    emit form.hiddenOrUnloaded();
    retire(std::move(leaving));
    endWhenNoWindowIsLeft();
    return true;
}

void Program::unloadOthers(const Form& keeper) {
    std::vector<QPointer<Form>> others;
    for (const auto& form : loaded_) {
        if (form.get() != &keeper)
            others.emplace_back(form.get());
    }
    for (auto it = others.rbegin(); it != others.rend(); ++it) {
        if (*it && isLoaded(*it))
            unload(**it);
    }
}

void Program::retire(std::unique_ptr<Form> form) {
    // A handler of the window, or of one below a modal window, may still be
    // running: the object goes once control is back in the event loop that
    // called that handler.
    if (modalDepth_ > 0)
        retiring_.push_back(std::move(form));
    else
        form.release()->deleteLater();
}

void Program::endWhenNoWindowIsLeft() {
    afterThisCode([this] {
        if (loaded_.empty() && !ended_)
            end(exitCode_);
    });
}

void Program::afterThisCode(std::function<void()> call) {
    QMetaObject::invokeMethod(
        context_.get(),
        [this, call = std::move(call)] {
            // Inside a long job "this code" is the job's handler.
            if (LongJob::running())
                LongJob::afterJob(context_.get(), call);
            else
                call();
        },
        Qt::QueuedConnection);
}

bool Program::isLoaded(const Form* form) const {
    return form && std::any_of(loaded_.begin(), loaded_.end(),
                               [form](const auto& loaded) { return loaded.get() == form; });
}

std::vector<Form*> Program::forms() const {
    std::vector<Form*> result;
    for (const auto& form : loaded_)
        result.push_back(form.get());
    return result;
}

// Ending.

void Program::end(int exitCode) {
    if (ended_)
        return;
    ended_ = true;
    exitCode_ = exitCode;
    std::vector<std::unique_ptr<Form>> leaving = std::move(loaded_);
    loaded_.clear();
    lastActive_ = nullptr;
    expectedActivations_.clear();
    for (auto& form : leaving) {
        form->hide();
        emit form->hiddenOrUnloaded();
    }
    for (auto& form : leaving)
        retire(std::move(form));
    // Only a running event loop is told to stop: Qt would otherwise refuse
    // every event loop started later in this process.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(exitCode);
}

int Program::run() {
    if (ended_ || loaded_.empty())
        return exitCode_;
    QApplication::exec();
    return exitCode_;
}

}  // namespace forms
