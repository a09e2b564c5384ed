#pragma once
// The file dialogs of the old common dialog control: a filter in the old
// form, an initial folder, a title; the answer is the chosen file's full path,
// or "" when the user cancelled.

#include <QString>
#include <QStringList>

namespace forms {

struct OpenFileRequest {
    QString title;       // the dialog's caption; empty for the desktop's own
    QString filter;      // the old form: "Description|pattern|Description|pattern"
    QString initialDir;  // the folder the dialog opens in; empty for the current one
    QString fileName;    // the name proposed at first
};

// The old filter as Qt's name filters: "Archivos de Texto (*.txt)|*.txt"
// gives "Archivos de Texto (*.txt)", "Programas|*.exe;*.com" gives
// "Programas (*.exe *.com)". A description without a pattern shows every
// file; an empty filter gives no name filters.
QStringList qtNameFilters(const QString& oldFilter);

class FileDialog {
public:
    virtual ~FileDialog() = default;

    // Asks for an existing file; returns its full path, "" when cancelled.
    virtual QString showOpen(const OpenFileRequest& request) = 0;
    // Asks for a file to write, proposing `fileName`; an existing one is
    // replaced only when the user confirms. Returns its full path, "" when
    // cancelled.
    virtual QString showSave(const OpenFileRequest& request) = 0;
};

// Qt's file dialog, modal over the active window.
class QtFileDialog : public FileDialog {
public:
    QString showOpen(const OpenFileRequest& request) override;
    QString showSave(const OpenFileRequest& request) override;
};

}  // namespace forms
