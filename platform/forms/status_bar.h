#pragma once
// The old status bar: panels numbered from 1, each with its text and its
// alignment.

#include <QStatusBar>
#include <QString>

#include <vector>

class QLabel;

namespace forms {

class StatusBar : public QStatusBar {
    Q_OBJECT

public:
    enum Alignment { Left = 0, Centre = 1, Right = 2 };

    explicit StatusBar(QWidget* parent = nullptr);

    // Makes the bar hold `count` panels of equal width, empty and aligned left.
    void setPanelCount(int count);
    int panelCount() const { return static_cast<int>(panels_.size()); }

    // Panel `index`, from 1 as the old Panels(1); objectName "Panel1" ...
    QLabel* panel(int index) const;
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);
    void setPanelAlignment(int index, Alignment alignment);

private:
    std::vector<QLabel*> panels_;
};

}  // namespace forms
