#include "qt_spanish.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <memory>

#include "file_dialog.h"
#include "message_box.h"
#include "modal_helper.h"
#include "qt_printers.h"

namespace {

// Qt's Spanish for the test's length only: the other tests read English.
struct Spanish : ::testing::Test {
    void SetUp() override {
        translator = forms::installQtSpanish(*QApplication::instance());
        ASSERT_NE(translator, nullptr) << "qtbase_es is not installed";
    }
    void TearDown() override {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    QTranslator* translator = nullptr;
};

QStringList buttonTexts(QMessageBox& box) {
    QStringList texts;
    for (QAbstractButton* button : box.buttons())
        texts << button->text().remove('&');
    return texts;
}

TEST_F(Spanish, TheMessageBoxesButtonsReadSpanish) {
    using namespace forms::msg;
    const std::pair<int, QStringList> cases[] = {
        {OkOnly, {"Aceptar"}},
        {YesNo | Question, {"Sí", "No"}},
        {OkCancel, {"Aceptar", "Cancelar"}},
        {YesNoCancel, {"Sí", "No", "Cancelar"}},
    };
    for (const auto& [style, expected] : cases) {
        QStringList shown;
        formstest::whenModalShows([&shown](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            shown = buttonTexts(*box);
            box->defaultButton()->click();
        });
        forms::QtMessageBox().show("¿Desea continuar?", style, "Ternova");
        shown.sort();
        QStringList sorted = expected;
        sorted.sort();
        EXPECT_EQ(shown, sorted) << "style " << style;
    }
}

TEST_F(Spanish, TheFileDialogWithoutTitleTakesTheSpanishDefault) {
    QString title;
    QStringList buttons;
    formstest::whenModalShows([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
            buttons << button->text().remove('&');
        dialog->reject();
    });
    forms::QtFileDialog().showOpen({"", "Archivos de Facturación", "", ""});
    EXPECT_EQ(title, "Abrir");
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"Abrir", "Cancelar"}));
}

}  // namespace
