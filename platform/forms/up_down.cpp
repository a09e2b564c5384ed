#include "up_down.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace forms {

namespace {

// An arrow that never holds the focus itself: a click on it gives the focus
// to the pair.
QToolButton* arrow(Qt::ArrowType type, const QString& name, QWidget* pair) {
    auto* button = new QToolButton(pair);
    button->setObjectName(name);
    button->setArrowType(type);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return button;
}

}  // namespace

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    up_ = arrow(Qt::UpArrow, "up", this);
    down_ = arrow(Qt::DownArrow, "down", this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, &UpDown::upClick);
    connect(down_, &QToolButton::clicked, this, &UpDown::downClick);
}

}  // namespace forms
