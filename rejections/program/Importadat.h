#pragma once
// The main window of riruzoz, "Datos de Riruzozs": import a sample file,
// delete the stored samples, and open the other windows.
//
// Importadat: buttons `conv` "&Importa Archivo", `Command2` "&Regs. Muestra",
// `Command3` "&Borra Datos", `Command4` "&Ver Totales", `Command1` "F&in";
// the file dialog `CommonDialog1` ("Archivo de Facturación"); `Label19` (the
// department) and `Picture1`; the menu `Menu_Archivo` "&Archivo" with
// `Menu_Importa`, `Menu_regfac`, `vertot`, `menu_borra`, `menu_fin`, and the
// menu `menu_ver` "&Ver" with `menu_acerca`.

#include <QString>

#include <string>

#include "file_dialog.h"
#include "form.h"
#include "form_import_ui.h"

class QAction;
class QLabel;
class QPushButton;

namespace rejections {

class Importadat : public forms::Form {
public:
    explicit Importadat(forms::Program& program);

    // The date the picked file's name gives (YY/MM/DD), empty before a pick.
    std::string fecha_de_archivo;
    // The full path of the last file picked; empty when the program starts.
    std::string ruta_archivo;

    // Event procedures, as the old form had them.
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void conv_Click();
    void Menu_Importa_Click();
    void Menu_regfac_Click();
    void menu_borra_Click();
    void menu_fin_Click();
    void menu_acerca_Click();

private:
    QPushButton* conv;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command1;
    forms::OpenFileRequest CommonDialog1;
    QLabel* Label19;
    QLabel* Picture1;
    QAction* Menu_Importa;
    QAction* Menu_regfac;
    QAction* vertot;
    QAction* menu_borra;
    QAction* menu_fin;
    QAction* menu_acerca;

    FormImportMessages messages_{*this};
    FormWaitPointer pointer_{*this};
};

}  // namespace rejections
