#include "settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>

namespace sys {

namespace {

const char kSuiteFolder[] = "TicketQualitySuite";

// QSettings reads "/" and "\" in a key as group separators; the old section
// and key names hold neither, so anything else is kept as it is.
QString settingsKey(const QString& section, const QString& key) {
    return section + "/" + key;
}

}  // namespace

FileSettings::FileSettings(QString userDir, QString machineFile)
    : userDir_(std::move(userDir)), machineFile_(std::move(machineFile)) {}

std::unique_ptr<FileSettings> FileSettings::atStandardPlaces() {
    const QString userDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" +
        kSuiteFolder;
    QString machineFile = QStandardPaths::locate(QStandardPaths::GenericConfigLocation,
                                                 QString(kSuiteFolder) + "/machine.ini");
    if (machineFile.isEmpty())
        machineFile = "/etc/xdg/" + QString(kSuiteFolder) + "/machine.ini";
    return std::make_unique<FileSettings>(userDir, machineFile);
}

QString FileSettings::programFile(const QString& program) const {
    return userDir_ + "/" + program + ".ini";
}

void FileSettings::saveSetting(const QString& program, const QString& section, const QString& key,
                               const QString& value) {
    QDir().mkpath(userDir_);
    QSettings store(programFile(program), QSettings::IniFormat);
    store.setValue(settingsKey(section, key), value);
    store.sync();
}

QString FileSettings::getSetting(const QString& program, const QString& section, const QString& key,
                                 const QString& fallback) const {
    QSettings store(programFile(program), QSettings::IniFormat);
    return store.value(settingsKey(section, key), fallback).toString();
}

std::optional<QString> FileSettings::machineValue(const QString& keyPath,
                                                  const QString& name) const {
    QFile file(machineFile_);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QTextStream in(&file);
    bool inKey = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            inKey =
                line.mid(1, line.size() - 2).trimmed().compare(keyPath, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (inKey && eq > 0 && line.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1).trimmed();
    }
    return std::nullopt;
}

}  // namespace sys
