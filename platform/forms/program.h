#pragma once
// The running program as the old forms runtime kept it: its title, its
// services, and the bookkeeping of its windows.
//
// - One instance per form: load<T>() makes the window and runs its
//   Form_Load once; later calls find the loaded one.
// - show<T>(Modeless) shows it and goes on; show<T>(Modal) returns only when
//   the window is hidden or unloaded. Showing makes the window the active one
//   and runs its Form_Activate unless it was the active window already.
// - unload() runs Form_QueryUnload and Form_Unload (either may cancel), hides
//   the window and forgets it; the next load<T>() makes a fresh one. The
//   object itself goes when no handler of it can still be running.
// - end() ends the program at once: no unload handler runs, every window goes.
// - When the last window is unloaded the program ends, once the code that
//   unloaded it has finished (a handler may unload itself and show another).

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <typeinfo>
#include <utility>
#include <vector>

#include "form.h"
#include "services.h"

class QObject;

namespace forms {

enum ShowMode {
    Modeless = 0,
    Modal = 1,
};

class Program {
public:
    // The program's title (the old App.Title) names it in message boxes and
    // settings. Throws std::invalid_argument when a service is missing.
    Program(QString title, Services services);
    virtual ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const QString& title() const { return title_; }
    Services& services() { return services_; }

    // Loading and showing windows by their class; the window's constructor
    // takes the program and then `args`, which are used only when the window
    // is not loaded yet. Each returns the window, or null when it is no
    // longer loaded afterwards (it unloaded itself, or the program ended).
    template <class T, class... Args>
    T* load(Args&&... args);
    template <class T, class... Args>
    T* show(ShowMode mode, Args&&... args);
    template <class T>
    T* find() const;

    // Shows a loaded window again; false when it is not loaded afterwards.
    bool show(Form& form, ShowMode mode = Modeless);
    // Unloads a window; false when it was not loaded or a handler cancelled.
    bool unload(Form& form, UnloadMode mode = UnloadMode::Code);
    template <class T>
    bool unload();
    // Unloads every loaded window but `keeper`, the last loaded first.
    void unloadOthers(const Form& keeper);

    bool isLoaded(const Form* form) const;
    // The loaded windows in the order they were loaded (the old Forms).
    std::vector<Form*> forms() const;
    int count() const { return static_cast<int>(loaded_.size()); }
    // The window that was activated last, if it is still loaded.
    Form* activeForm() const;

    // Ends the program at once (the old End).
    void end(int exitCode = 0);
    bool ended() const { return ended_; }
    int exitCode() const { return exitCode_; }

    // Runs the event loop until the program ends; returns at once when it
    // ended already or has no window.
    int run();

    // Called by the windows on the window system's events.
    void windowActivated(Form& form);
    void windowHidden(Form& form);

private:
    Form* adopt(std::unique_ptr<Form> form);
    void activate(Form& form);
    void retire(std::unique_ptr<Form> form);
    void forgetActivation(const Form* form);
    void handOverActivation();
    void endWhenNoWindowIsLeft();
    // Runs `call` once control is back in the event loop (after a long job).
    void afterThisCode(std::function<void()> call);

    QString title_;
    Services services_;
    std::vector<std::unique_ptr<Form>> loaded_;
    // Unloaded while a modal window was open: they go when it closes.
    std::vector<std::unique_ptr<Form>> retiring_;
    QPointer<Form> lastActive_;
    // Activations the program asked for, which the window system reports later.
    std::vector<QPointer<Form>> expectedActivations_;
    std::vector<QPointer<Form>> unloading_;
    std::unique_ptr<QObject> context_;  // for calls queued to the event loop
    int modalDepth_ = 0;
    bool ended_ = false;
    int exitCode_ = 0;
};

template <class T, class... Args>
T* Program::load(Args&&... args) {
    if (T* loaded = find<T>())
        return loaded;
    if (ended_)
        return nullptr;
    return static_cast<T*>(adopt(std::make_unique<T>(*this, std::forward<Args>(args)...)));
}

template <class T, class... Args>
T* Program::show(ShowMode mode, Args&&... args) {
    T* form = load<T>(std::forward<Args>(args)...);
    if (!form)
        return nullptr;
    QPointer<Form> guard(form);
    if (!show(*form, mode) || !guard)
        return nullptr;
    return form;
}

template <class T>
T* Program::find() const {
    for (const auto& form : loaded_) {
        const Form& loaded = *form;  // the dynamic type of the form itself
        if (typeid(loaded) == typeid(T))
            return static_cast<T*>(form.get());
    }
    return nullptr;
}

template <class T>
bool Program::unload() {
    T* form = find<T>();
    return form && unload(*form);
}

}  // namespace forms
