#pragma once
// The base of every window: an old form with its event procedures, its
// client area for the controls, its placement in twips and its way to the
// program's services. See README.md for how a window is written.

#include <QMainWindow>
#include <QString>

#include "message_box.h"
#include "placement.h"

namespace forms {

class Program;
struct Services;

// Why a window is being unloaded, as the old QueryUnload told it.
enum class UnloadMode {
    ControlMenu = 0,  // the user closed it with its close box
    Code = 1,         // the program unloaded it
};

class Form : public QMainWindow {
    Q_OBJECT

public:
    // `name` is the form's name in the old program ("frmMain"): the window's
    // objectName.
    Form(Program& program, const QString& name);
    ~Form() override;

    Program& program() const { return program_; }
    Services& services() const;

    // The client area: the controls of the window stand in it.
    QWidget* client() const { return client_; }

    // Event procedures of the form; a window overrides those it has.
    // Load runs once, after the constructor, before the window is shown.
    virtual void Form_Load() {}
    // Each time the window becomes the program's active window: when shown
    // and when the user comes back to it from another window of the program.
    virtual void Form_Activate() {}
    // Before unloading; setting `cancel` keeps the window loaded.
    virtual void Form_QueryUnload(bool& cancel, UnloadMode mode);
    // While unloading; setting `cancel` keeps the window loaded.
    virtual void Form_Unload(bool& cancel);
    // After the window's size changed, the first showing included.
    virtual void Form_Resize() {}

    // The old runtime's calls that every window makes.
    // A message box titled with the program's title; returns the answer.
    int msgBox(const QString& text, int style = msg::OkOnly);
    int msgBox(const QString& text, int style, const QString& title);
    void beep();
    // The hourglass (mouse pointer 11) or the normal pointer (0).
    void setHourglass(bool waiting);
    // Prints the client area's image on the current printer.
    bool printForm();
    // Unloads this window (the old "Unload Me"); false when a handler cancelled.
    bool unloadMe();

    // Placement in twips, the frame included.
    Placement placement() const;
    void setPlacement(const Placement& placement);
    int heightTwips() const;
    void setHeightTwips(int height);
    // Sizes the window so that its client area (below the menu bar) is
    // `width` by `height` twips (the old ScaleWidth and ScaleHeight).
    void setClientSizeTwips(int width, int height);
    int clientWidthTwips() const;
    int clientHeightTwips() const;

signals:
    // The window was hidden by the program, or unloaded.
    void hiddenOrUnloaded();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int menuBarHeight() const;

    Program& program_;
    QWidget* client_;
};

}  // namespace forms
