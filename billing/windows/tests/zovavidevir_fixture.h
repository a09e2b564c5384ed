#pragma once
// What the window tests of Zovavidevir share: a program folder of the test's
// own, with or without its factura.mdb, and the main window open on it with
// records stored through the program's importer.

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QPushButton>

#include <cstdlib>
#include <string>

#include "FacturaDatabase.h"
#include "Importadat.h"
#include "Module1.h"
#include "runtime/program_folder.h"
#include "stored_records.h"
#include "temp_dir.h"
#include "test_program.h"

namespace billingtest {

// The program folder of one test, with or without its factura.mdb.
class ProgramFolder {
public:
    explicit ProgramFolder(bool withDatabase = true) {
        if (withDatabase) {
            billing::create_factura_database(dir.path());
        }
        setenv(runtime::kProgramFolderVariable, dir.path().c_str(), 1);
    }
    ~ProgramFolder() { unsetenv(runtime::kProgramFolderVariable); }
    testsupport::TempDir dir;
};

// The main window on a factura.mdb holding filterRecords().
class ZovavidevirWindows : public testing::Test {
protected:
    ProgramFolder folder;
    forms::TestProgram app{"Zovavidevir"};
    billing::Module1 modulo;
    billing::Importadat* main = app.show<billing::Importadat>(forms::Modeless, modulo);

    void SetUp() override {
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(storeRecords(modulo.base_datos, folder.dir, filterRecords()), 4);
    }

    template <class T>
    static T* child(QObject* window, const char* name) {
        T* control = window ? window->findChild<T*>(name) : nullptr;
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    static void click(QObject* window, const char* button) {
        if (auto* found = child<QPushButton>(window, button))
            found->click();
    }
    // The sequence numbers of the rows a grid shows, in order.
    static std::string gridSequences(QObject* window) {
        auto* grid = child<QAbstractItemView>(window, "DBGrid1");
        if (!grid)
            return "?";
        QAbstractItemModel* model = grid->model();
        std::string sequences;
        for (int row = 0; row < model->rowCount(); ++row)
            sequences += model->index(row, 5).data().toString().toStdString();
        return sequences;
    }
};

}  // namespace billingtest
