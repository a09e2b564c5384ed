#include "status_bar.h"

#include <QLabel>

#include <stdexcept>

namespace forms {

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    setPanelCount(1);
}

void StatusBar::setPanelCount(int count) {
    for (QLabel* panel : panels_) {
        removeWidget(panel);
        panel->setObjectName(QString());  // gone from findChild at once
        panel->deleteLater();
    }
    panels_.clear();
    for (int i = 1; i <= count; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName("Panel" + QString::number(i));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        addPermanentWidget(panel, 1);
        panels_.push_back(panel);
    }
}

QLabel* StatusBar::panel(int index) const {
    if (index < 1 || index > panelCount())
        throw std::out_of_range("StatusBar: no panel " + std::to_string(index));
    return panels_[index - 1];
}

QString StatusBar::panelText(int index) const {
    return panel(index)->text();
}

void StatusBar::setPanelText(int index, const QString& text) {
    panel(index)->setText(text);
}

void StatusBar::setPanelAlignment(int index, Alignment alignment) {
    static const Qt::Alignment kAlignments[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    panel(index)->setAlignment(kAlignments[alignment] | Qt::AlignVCenter);
}

}  // namespace forms
