#pragma once
// For the tests of the Qt dialogs themselves: acts on the next modal window
// once it shows, as the user would. Guards close the modal window, or stop
// waiting for it, after a while, so that a broken test fails instead of
// hanging.

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace formstest {

inline void whenModalShows(std::function<void(QWidget*)> act) {
    auto* poll = new QTimer(qApp);
    auto polls = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, polls, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (++*polls > 2000)  // it never showed
                poll->deleteLater();
            return;
        }
        poll->stop();
        poll->deleteLater();
        // Lives as long as the modal window: closes it if the act did not.
        auto* guard = new QTimer(modal);
        guard->setSingleShot(true);
        QObject::connect(guard, &QTimer::timeout, modal, [modal] { modal->close(); });
        guard->start(20000);
        act(modal);
    });
    poll->start(10);
}

}  // namespace formstest
