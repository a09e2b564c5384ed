#pragma once
// Windows for the bookkeeping tests: each writes its event procedures into
// one log ("A.Load", "B.Unload" ...), and can be told to cancel or to act
// inside a handler.

#include <QStringList>

#include <functional>

#include "form.h"
#include "program.h"

namespace formstest {

struct Log {
    QStringList entries;
    void add(const QString& entry) { entries << entry; }
};

class LoggingForm : public forms::Form {
public:
    LoggingForm(forms::Program& program, const QString& name, Log& log)
        : Form(program, name), log_(log) {}

    void Form_Load() override {
        log_.add(objectName() + ".Load");
        if (onLoad)
            onLoad(*this);
    }
    void Form_Activate() override {
        log_.add(objectName() + ".Activate");
        if (onActivate)
            onActivate(*this);
    }
    void Form_QueryUnload(bool& cancel, forms::UnloadMode mode) override {
        log_.add(objectName() + ".QueryUnload" +
                 (mode == forms::UnloadMode::ControlMenu ? "(close box)" : ""));
        cancel = cancelQueryUnload;
    }
    void Form_Unload(bool& cancel) override {
        log_.add(objectName() + ".Unload");
        cancel = cancelUnload;
        if (onUnload)
            onUnload(*this);
    }

    bool cancelQueryUnload = false;
    bool cancelUnload = false;
    std::function<void(LoggingForm&)> onLoad;
    std::function<void(LoggingForm&)> onActivate;
    std::function<void(LoggingForm&)> onUnload;

private:
    Log& log_;
};

// Distinct classes: the runtime keeps one instance per form class.
struct WindowA : LoggingForm {
    WindowA(forms::Program& p, Log& log) : LoggingForm(p, "A", log) {}
};
struct WindowB : LoggingForm {
    WindowB(forms::Program& p, Log& log) : LoggingForm(p, "B", log) {}
};
struct WindowC : LoggingForm {
    WindowC(forms::Program& p, Log& log) : LoggingForm(p, "C", log) {}
};

}  // namespace formstest
