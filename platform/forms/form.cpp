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
    resize(toPixels(placement.width) - frameExtra.width(),
           toPixels(placement.height) - frameExtra.height());
}

int Form::heightTwips() const {
    return toTwips(frameGeometry().height());
}

void Form::setHeightTwips(int height) {
    const int frameExtra = frameGeometry().height() - this->height();
    resize(width(), toPixels(height) - frameExtra);
}

int Form::menuBarHeight() const {
    const QWidget* bar = menuWidget();
    return bar && !bar->isHidden() ? bar->sizeHint().height() : 0;
}

void Form::setClientSizeTwips(int width, int height) {
    resize(toPixels(width), toPixels(height) + menuBarHeight());
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
    Form_Resize();
}

}  // namespace forms
