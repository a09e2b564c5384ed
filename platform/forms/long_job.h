#pragma once
// Long work inside one handler (a weekly run, an import, a report, emptying
// a store): the windows it shows are drawn as it goes and the program keeps
// answering the window system, while nothing the user clicks or types on
// the program's windows is acted upon, as under the old runtime.
//
//     void Importadat::conv_Click() {
//         forms::LongJob job;                  // from here to the end of the job
//         Label1->setVisible(true);
//         forms::refresh(Label1);              // the old Label1.Refresh
//         importa_arch(...);                   // its loop calls runtime::still_working()
//     }
//
// While a LongJob lives:
// - forms::refresh(control) and runtime::still_working() process the pending
//   window events (drawing, exposure, the window manager's pings) at most
//   every 50 ms; nothing is processed between those times, so the cost
//   stays small.
// - Mouse, keyboard and wheel input and the close box on the program's
//   windows are discarded, shortcuts and menus included; message boxes and
//   dialogs that the job opens take input as usual.
// - The windows' timer controls do not tick, and the program's activations
//   and calls queued for "when this handler has finished" wait for the end
//   of the job: no handler of the program runs because the job let events in.
// Jobs nest: only the outermost one counts.

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

namespace forms {

class LongJob {
public:
    LongJob();
    ~LongJob();
    LongJob(const LongJob&) = delete;
    LongJob& operator=(const LongJob&) = delete;

    static bool running();

    // Runs `call` once the running job has ended, queued to the event loop,
    // unless `context` is gone by then. Only while a job runs.
    static void afterJob(QObject* context, std::function<void()> call);

    // Processes the window events now if the last time is 50 ms past
    // (or this is the first time of the job).
    static void answerIfDue();
};

// The old Refresh of a control or a window: outside a job it is painted at
// once; inside a job it is painted with the next round of window events,
// which comes at most 50 ms later.
void refresh(QWidget* control);

}  // namespace forms
