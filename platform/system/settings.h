#pragma once
// The settings of the desktop programs, kept where the old programs kept
// them in the registry: a program's own values under its title, a section and
// a key (what SaveSetting wrote and GetSetting read), and the machine-wide
// values that other installed programs left under their key paths (what the
// about windows look up to find the system-information tool).

#include <QString>

#include <memory>
#include <optional>

namespace sys {

class Settings {
public:
    virtual ~Settings() = default;

    // Stores a program's value, as text, under its title, a section and a key.
    virtual void saveSetting(const QString& program, const QString& section, const QString& key,
                             const QString& value) = 0;

    // The value stored under the program's title, section and key, or
    // `fallback` when there is none.
    virtual QString getSetting(const QString& program, const QString& section, const QString& key,
                               const QString& fallback = QString()) const = 0;

    // A machine-wide value as text. `keyPath` is written as the registry wrote
    // it, with backslashes ("SOFTWARE\Microsoft\Shared Tools\MSINFO"), `name`
    // is the value's name ("PATH"); both are found blind to letter case, as the
    // registry found them. Nothing when the key or the value is absent.
    virtual std::optional<QString> machineValue(const QString& keyPath,
                                                const QString& name) const = 0;
};

// Settings in files of our own.
//
// A program's values live in `userDir`/<program title>.ini, one [section]
// per section (QSettings' INI format).
//
// The machine-wide values live in `machineFile`, read only, one group per key
// path with the value names below it:
//
//     [SOFTWARE\Microsoft\Shared Tools\MSINFO]
//     PATH=/usr/bin/hardinfo
//
// Lines starting with ";" or "#" are comments; blanks around names and values
// are dropped. A missing file holds no values.
class FileSettings : public Settings {
public:
    FileSettings(QString userDir, QString machineFile);

    // The standard places: $XDG_CONFIG_HOME/TicketQualitySuite/ (by default
    // ~/.config/TicketQualitySuite/) for the programs' values, and
    // TicketQualitySuite/machine.ini in the first folder of $XDG_CONFIG_DIRS
    // (by default /etc/xdg) that holds one.
    static std::unique_ptr<FileSettings> atStandardPlaces();

    void saveSetting(const QString& program, const QString& section, const QString& key,
                     const QString& value) override;
    QString getSetting(const QString& program, const QString& section, const QString& key,
                       const QString& fallback = QString()) const override;
    std::optional<QString> machineValue(const QString& keyPath, const QString& name) const override;

    const QString& userDir() const { return userDir_; }
    const QString& machineFile() const { return machineFile_; }

private:
    QString programFile(const QString& program) const;

    QString userDir_;
    QString machineFile_;
};

}  // namespace sys
