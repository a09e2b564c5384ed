#include "form.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHideEvent>
#include <QMenuBar>

#include "controls.h"
#include "program.h"

namespace forms {

Form::Form(Program& program, const QString& name)
    : QMainWindow(nullptr), program_(program), client_(new QWidget(this)) {
    setObjectName(name);
    client_->setObjectName(name + ".client");
    setCentralWidget(client_);
}

Form::~Form() {
    markDestroying(this);
}

Services& Form::services() const {
    return program_.services();
}

void Form::Form_QueryUnload(bool& /*cancel*/, UnloadMode /*mode*/) {}

void Form::Form_Unload(bool& /*cancel*/) {}

// The old runtime's calls.

int Form::msgBox(const QString& text, int style) {
    return msgBox(text, style, program_.title());
}

int Form::msgBox(const QString& text, int style, const QString& title) {
    return services().messageBox->show(text, style, title);
}

void Form::beep() {
    services().beep->beep();
}

void Form::setHourglass(bool waiting) {
    services().waitCursor->set(waiting);
}

bool Form::printForm() {
    return services().printer->printWidget(*client_, windowTitle());
}

bool Form::unloadMe() {
    return program_.unload(*this);
}

// Placement.

Placement Form::placement() const {
    const QRect frame = frameGeometry();
    return {toTwips(frame.x()), toTwips(frame.y()), toTwips(frame.width()),
            toTwips(frame.height())};
}

void Form::setPlacement(const Placement& placement) {
    const QSize frameExtra = frameGeometry().size() - size();
    move(toPixels(placement.left), toPixels(placement.top));
    resizeTo(toPixels(placement.width) - frameExtra.width(),
             toPixels(placement.height) - frameExtra.height());
}

int Form::heightTwips() const {
    return toTwips(frameGeometry().height());
}

void Form::setHeightTwips(int height) {
    const int frameExtra = frameGeometry().height() - this->height();
    resizeTo(width(), toPixels(height) - frameExtra);
}

int Form::menuBarHeight() const {
    const QWidget* bar = menuWidget();
    return bar && !bar->isHidden() ? bar->sizeHint().height() : 0;
}

void Form::setClientSizeTwips(int width, int height) {
    resizeTo(toPixels(width), toPixels(height) + menuBarHeight());
}

void Form::setBorderStyle(BorderStyle style) {
    borderStyle_ = style;
    if (style == BorderStyle::FixedSingle) {
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                       Qt::WindowCloseButtonHint);
        setFixedSize(size());
    } else {
        setWindowFlags(Qt::Window);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void Form::resizeTo(int width, int height) {
    if (borderStyle_ == BorderStyle::FixedSingle)
        setFixedSize(width, height);
    else
        resize(width, height);
}

int Form::clientWidthTwips() const {
    return toTwips(width());
}

int Form::clientHeightTwips() const {
    return toTwips(height() - menuBarHeight());
}

// Window-system events.

bool Form::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        program_.windowActivated(*this);
    return QMainWindow::event(event);
}

void Form::closeEvent(QCloseEvent* event) {
    // The close box unloads the window through its handlers, which may refuse.
    event->ignore();
    if (program_.isLoaded(this))
        program_.unload(*this, UnloadMode::ControlMenu);
}

void Form::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (event->spontaneous())
        return;  // minimised: still shown as far as the program knows
    program_.windowHidden(*this);
    emit hiddenOrUnloaded();
}

void Form::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (borderStyle_ == BorderStyle::FixedSingle && size() != minimumSize()) {
        refuseResize();  // a window manager that ignored the fixed size
        return;
    }
    Form_Resize();
}

void Form::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && borderStyle_ == BorderStyle::FixedSingle &&
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        refuseResize();
}

void Form::refuseResize() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
                setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
            resize(minimumSize());
        },
        Qt::QueuedConnection);
}

}  // namespace forms
