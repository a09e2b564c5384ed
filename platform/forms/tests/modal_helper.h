#pragma once
// For the tests of the Qt dialogs themselves: acts on the next modal window
// once it shows, as the user would. A guard closes every modal window after
// a while, so that a broken test fails instead of hanging.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace formstest {

inline void whenModalShows(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer(qApp);
    auto* guard = new QTimer(poll);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        }
    });
    QObject::connect(guard, &QTimer::timeout, poll, [poll] {
        poll->stop();
        while (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        poll->deleteLater();
    });
    poll->start(10);
    guard->setSingleShot(true);
    guard->start(20000);
}

}  // namespace formstest
