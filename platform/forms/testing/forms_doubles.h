#pragma once
// Test doubles of the forms services. None of them opens a window: the
// message box and the file dialog answer what the test scripted, a modal
// window runs the action the test scripted and returns.

#include <QImage>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

#include "beep.h"
#include "file_dialog.h"
#include "message_box.h"
#include "modal_loop.h"
#include "printer.h"
#include "wait_cursor.h"

namespace forms {

struct ShownMessage {
    QString text;
    int style = 0;
    QString title;
};

// Records every message; answers with the next scripted answer, or, when none
// is left, with the style's default button (Ok for a plain box, Yes for 36).
class MessageBoxDouble : public MessageBox {
public:
    int show(const QString& text, int style, const QString& title) override;

    // The answers of the next message boxes, in order (msg::Yes, msg::No ...).
    void answer(std::initializer_list<int> answers);

    std::vector<ShownMessage> shown;
    std::deque<int> answers;
};

// Counts the beeps.
class BeepDouble : public Beep {
public:
    void beep() override { ++count; }
    int count = 0;
};

// Keeps the pointer and every change asked for.
class WaitCursorDouble : public WaitCursor {
public:
    void set(bool waiting) override;
    bool isSet() const override { return waiting; }

    bool waiting = false;
    std::vector<bool> changes;  // every set() call, in order
};

// Answers both dialogs with the scripted paths; "" (cancelled) when none is
// left. The requests of the save dialog are kept apart.
class FileDialogDouble : public FileDialog {
public:
    QString showOpen(const OpenFileRequest& request) override;
    QString showSave(const OpenFileRequest& request) override;

    std::vector<OpenFileRequest> requests;
    std::vector<OpenFileRequest> saveRequests;
    std::deque<QString> paths;

private:
    QString nextPath();
};

// Keeps the printed images.
class PrinterDouble : public Printer {
public:
    void showSetup() override { ++setups; }
    bool printImage(const QImage& image, const QString& jobName) override;

    int setups = 0;
    std::vector<QImage> images;
    QStringList jobs;
    bool succeeds = true;
};

// A modal window runs the next scripted action (the user's work in it, which
// usually ends by closing it) and returns at once; with no action left the
// window stays as it is and the caller goes on all the same.
class ModalLoopDouble : public ModalLoop {
public:
    using Action = std::function<void(Form&)>;

    void run(Form& form) override;
    void whenShown(Action action) { actions.push_back(std::move(action)); }

    QStringList shown;  // the names of the windows shown modally, in order
    std::deque<Action> actions;
};

}  // namespace forms
