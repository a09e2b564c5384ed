#pragma once
// Importadat, "Datos de Facturación": Zovavidevir's main window. It opens
// factura.mdb when it loads and closes it when it unloads; from it the user
// imports a billing file, empties the stored records, opens the filter
// window and the about window, and ends the program.
//
// Controls: `conv` "&Importa Archivo", `Command2` "&Reg.de Facturación",
// `Command3` "&Borra Datos", `Command1` "F&in", `Label1` "Importando..."
// (shown while an import reads), `Picture1`, `Line1`, `Line2`; the file
// dialog `CommonDialog1` is the program's file dialog service. Menus
// "&Archivo" (`Menu_Importa` Ctrl+I, `Menu_regfac` Ctrl+R, `menu_borra`
// Ctrl+B, `menu_fin` Ctrl+S) and "&Ver" (`menu_acerca` Ctrl+A), each entry
// doing what its button does.

#include <string>

#include "form.h"
#include "import_reporter.h"

class QAction;
class QFrame;
class QLabel;
class QPushButton;

namespace billing {

struct Module1;

class Importadat : public forms::Form, private ImportReporter {
public:
    // `modulo` holds the program-wide database; it outlives the window.
    Importadat(forms::Program& program, Module1& modulo);

    // Event procedures, as the old form had them.
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void conv_Click();
    void Command2_Click();
    void Command3_Click();
    void Command1_Click();
    void menu_acerca_Click();

private:
    // What the import shows while it reads, and its messages.
    void importStarted() override;
    void importEnded() override;
    void message(const std::string& text, const std::string& title) override;

    QPushButton* conv;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command1;
    QLabel* Label1;
    QLabel* Picture1;
    QFrame* Line1;
    QFrame* Line2;
    QAction* Menu_Importa;
    QAction* Menu_regfac;
    QAction* menu_borra;
    QAction* menu_fin;
    QAction* menu_acerca;

    Module1& modulo_;
};

}  // namespace billing
