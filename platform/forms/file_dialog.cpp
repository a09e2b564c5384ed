#include "file_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace forms {

QStringList qtNameFilters(const QString& oldFilter) {
    QStringList filters;
    if (oldFilter.trimmed().isEmpty())
        return filters;
    const QStringList parts = oldFilter.split('|');
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QString();
        patterns.replace(';', ' ');
        patterns = patterns.simplified();
        if (patterns.isEmpty())
            patterns = "*";
        const QString shown = "(" + patterns + ")";
        // The old descriptions often name their pattern already.
        filters << (description.endsWith(shown) ? description : description + " " + shown);
    }
    return filters;
}

QString QtFileDialog::showOpen(const OpenFileRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.initialDir);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

QString QtFileDialog::showSave(const OpenFileRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.initialDir);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

}  // namespace forms
