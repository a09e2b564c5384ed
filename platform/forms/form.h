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

// Whether the user may resize the window (the old BorderStyle). A window
// whose controls stand at fixed twips and that has no Form_Resize is a
// FixedSingle one: it keeps the size the code gives it and has no maximise
// box. Grids and main windows are Sizable, the default.
enum class BorderStyle {
    Sizable,
    FixedSingle,
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

    // Set in the constructor, before the window shows; the sizes set later
    // by code (setClientSizeTwips, setPlacement) still apply.
    void setBorderStyle(BorderStyle style);
    BorderStyle borderStyle() const { return borderStyle_; }

signals:
    // The window was hidden by the program, or unloaded.
    void hiddenOrUnloaded();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int menuBarHeight() const;
    void resizeTo(int width, int height);
    void refuseResize();

    Program& program_;
    QWidget* client_;
    BorderStyle borderStyle_ = BorderStyle::Sizable;
};

}  // namespace forms
