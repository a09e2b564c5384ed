#pragma once
// Test doubles of the system services: settings in memory, programs that are
// only recorded, help documents that are only recorded.

#include "help_viewer.h"
#include "program_starter.h"
#include "settings.h"

#include <QString>
#include <QStringList>

#include <map>
#include <tuple>

namespace sys {

// Settings in memory. Machine-wide values are given by the test.
class SettingsDouble : public Settings {
public:
    void saveSetting(const QString& program, const QString& section, const QString& key,
                     const QString& value) override;
    QString getSetting(const QString& program, const QString& section, const QString& key,
                       const QString& fallback = QString()) const override;
    std::optional<QString> machineValue(const QString& keyPath, const QString& name) const override;

    // Puts a machine-wide value in place, as an installed program would have.
    void setMachineValue(const QString& keyPath, const QString& name, const QString& value);

    // Whether the program's section holds the key.
    bool hasSetting(const QString& program, const QString& section, const QString& key) const;
    // How many values were saved, the same key counted each time.
    int saveCount() const { return saveCount_; }

private:
    using Key = std::tuple<QString, QString, QString>;
    std::map<Key, QString> values_;
    std::map<std::pair<QString, QString>, QString> machine_;  // key path and name, in capitals
    int saveCount_ = 0;
};

// Records every command line; each start succeeds unless the test says not.
class ProgramStarterDouble : public ProgramStarter {
public:
    bool start(const QString& commandLine) override;

    QStringList started;   // every command line, in order
    bool succeeds = true;  // what start() answers
};

// Records every document asked for; answers as the test says.
class HelpViewerDouble : public HelpViewer {
public:
    bool showHelp(const QString& htmlFile) override;

    QStringList shown;  // every document asked for, in order
    bool succeeds = true;
};

}  // namespace sys
