#pragma once
// frmMain, caption "Ternova": the main window. Its load reads the
// program-wide data and asks for the password (FrmContraseña); it then offers
// the four tasks of the quality plan through the options `Option1` (0..3)
// and "A&ceptar", the same and more through the picture buttons and the
// menus, the compaction of the database, the help and the exits.

#include <QString>

#include <functional>

#include "MdlTtlQuality.h"
#include "form.h"

class QAction;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace forms {
class StatusBar;
}

namespace quality {

// The help document in the program folder.
inline constexpr const char* kHelpFileName = "Ternova.html";

class frmMain : public forms::Form {
public:
    frmMain(forms::Program& program, MdlTtlQuality& state);

    // Event procedures.
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    void cmdacep_Click();
    void cmdgenerar_Click();
    void cmdver_Click();
    void cmdtottec_Click();
    void cmdevalua_Click();
    void cmdgraf_Click();
    void cmdpass_Click();
    void cmdsalir_Click();
    void mnusuper_Click();
    void mnutecagr_Click();
    void mnutecmod_Click();
    void mnuprior_Click();
    void mnuacerca_Click();
    void mnuplan_Click();
    void mnucompac_Click();

    // What the login of the supervisor SUPERVISOR enables: the entries
    // "&Técnico", "Agregar &Supervisor", "&Prioridades" and "&Compactar...".
    void habilitaAdministracion();

    // Whether a window that shows data of the database is open: every window
    // of the program but this one and the about window. The database cannot
    // be compacted then.
    bool hayVentanasDeDatos() const;

private:
    // The ticket browser, opened with the last resolution day of the week.
    void abreFrmPlanBoletas(const runtime::Value& ultimafecha);

    MdlTtlQuality& state_;

    QGroupBox* Frame1;
    QRadioButton* Option1[4];
    QPushButton* cmdacep;
    QPushButton* cmdgenerar;
    QPushButton* cmdver;
    QPushButton* cmdtottec;
    QPushButton* cmdevalua;
    QPushButton* cmdpass;
    QPushButton* cmdgraf;
    QPushButton* cmdsalir;
    forms::StatusBar* sbStatusBar;

    QAction* mnutecnico;
    QAction* mnutecagr;
    QAction* mnutecmod;
    QAction* mnusuper;
    QAction* mnuprior;
    QAction* mnucontrasena;
    QAction* mnugraf;
    QAction* mnucompac;
    QAction* mnusalir;
    QAction* mnuplan;
    QAction* mnuacerca;

    QString helpFile_;
};

}  // namespace quality
