#include "file_dialog.h"

#include <gtest/gtest.h>

#include <QFileDialog>

#include "modal_helper.h"
#include "qt_printers.h"
#include "temp_dir.h"

namespace {

TEST(FileDialogFilter, TurnsTheOldFilterIntoQtNameFilters) {
    const std::pair<QString, QStringList> cases[] = {
        {"Archivos de Texto (*.txt)|*.txt", {"Archivos de Texto (*.txt)"}},
        {"Texto|*.txt|Todos (*.*)|*.*", {"Texto (*.txt)", "Todos (*.*)"}},
        {"Programas|*.exe;*.com", {"Programas (*.exe *.com)"}},
        {"Archivos de Riruzozs", {"Archivos de Riruzozs (*)"}},
        {"", {}},
    };
    for (const auto& [old, qt] : cases)
        EXPECT_EQ(forms::qtNameFilters(old), qt) << old.toStdString();
}

TEST(QtFileDialog, OpensInTheInitialFolderAndAnswersTheChosenPath) {
    testsupport::TempDir dir;
    const auto report = dir.write("boletas_resv_car0503.txt", "LISTA DE TRABAJO X\n");
    const QString folder = QString::fromStdString(dir.path().string());
    QString shownFolder;
    QStringList shownFilters;
    formstest::whenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        shownFolder = dialog->directory().absolutePath();
        shownFilters = dialog->nameFilters();
        dialog->selectFile(QString::fromStdString(report.string()));
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);  // the user pressed "Open"
    });
    const QString chosen =
        forms::QtFileDialog().showOpen({"", "Archivos de Texto (*.txt)|*.txt", folder, ""});
    EXPECT_EQ(chosen, QString::fromStdString(report.string()));
    EXPECT_EQ(shownFolder, folder);
    EXPECT_EQ(shownFilters, QStringList({"Archivos de Texto (*.txt)"}));
}

TEST(QtFileDialog, CancelledAnswersAnEmptyPath) {
    formstest::whenModalShows([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(forms::QtFileDialog().showOpen({"Archivo de Facturación", "", "/", ""}), "");
}

}  // namespace

namespace {

TEST(QtFileDialog, SaveProposesTheNameAndAnswersTheNewPath) {
    testsupport::TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    bool asksToSave = false;
    QString proposed;
    formstest::whenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        asksToSave = dialog->acceptMode() == QFileDialog::AcceptSave;
        proposed = dialog->selectedFiles().value(0);
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);  // the user pressed "Save"
    });
    const QString chosen = forms::QtFileDialog().showSave(
        {"Guardar", "Documento PDF (*.pdf)|*.pdf", folder, "mensual.pdf"});
    EXPECT_TRUE(asksToSave);
    EXPECT_EQ(proposed, folder + "/mensual.pdf");
    EXPECT_EQ(chosen, folder + "/mensual.pdf");
}

}  // namespace
