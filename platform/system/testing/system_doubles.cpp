#include "system_doubles.h"

namespace sys {

void SettingsDouble::saveSetting(const QString& program, const QString& section, const QString& key,
                                 const QString& value) {
    values_[{program, section, key}] = value;
    ++saveCount_;
}

QString SettingsDouble::getSetting(const QString& program, const QString& section,
                                   const QString& key, const QString& fallback) const {
    const auto found = values_.find({program, section, key});
    return found == values_.end() ? fallback : found->second;
}

bool SettingsDouble::hasSetting(const QString& program, const QString& section,
                                const QString& key) const {
    return values_.count({program, section, key}) > 0;
}

std::optional<QString> SettingsDouble::machineValue(const QString& keyPath,
                                                    const QString& name) const {
    const auto found = machine_.find({keyPath.toUpper(), name.toUpper()});
    if (found == machine_.end())
        return std::nullopt;
    return found->second;
}

void SettingsDouble::setMachineValue(const QString& keyPath, const QString& name,
                                     const QString& value) {
    machine_[{keyPath.toUpper(), name.toUpper()}] = value;
}

bool ProgramStarterDouble::start(const QString& commandLine) {
    started << commandLine;
    return succeeds;
}

bool HelpViewerDouble::showHelp(const QString& htmlFile) {
    shown << htmlFile;
    return succeeds;
}

}  // namespace sys
