#include "help_viewer.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

namespace sys {

HelpWindow::HelpWindow() = default;
HelpWindow::~HelpWindow() = default;

bool HelpWindow::showHelp(const QString& htmlFile) {
    const QFileInfo file(htmlFile);
    if (!file.isFile() || !file.isReadable())
        return false;
    if (!window_) {
        window_ = std::make_unique<QTextBrowser>();
        window_->setObjectName("HelpViewer");
        window_->setOpenLinks(true);
        window_->resize(640, 480);
    }
    window_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    const QString title = window_->documentTitle();
    window_->setWindowTitle(title.isEmpty() ? file.completeBaseName() : title);
    window_->show();
    window_->raise();
    window_->activateWindow();
    return true;
}

}  // namespace sys
