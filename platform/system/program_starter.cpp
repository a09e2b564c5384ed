#include "program_starter.h"

#include <QFileInfo>
#include <QProcess>

namespace sys {

bool DetachedProgramStarter::start(const QString& commandLine) {
    if (QFileInfo(commandLine).isFile())
        return QProcess::startDetached(commandLine, {});
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words);
}

}  // namespace sys
