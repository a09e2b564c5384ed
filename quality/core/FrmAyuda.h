#pragma once
// FrmAyuda, caption "Ayuda": which weekly file the program needs, the
// resolved-tickets report, with its exit button. No window opens it.

#include "form.h"

class QLabel;
class QPushButton;

namespace quality {

// The text of the window, as the help document's section on the weekly file
// holds it.
inline constexpr const char* kAyudaArchivo =
    "Para correr este programa necesitas tener el archivo de boletas resueltas, el cual se "
    "genera desde VOS y se deposita semanalmente en el servidor del CAR:  "
    "boletas_resv_(carddmm).txt";

class FrmAyuda : public forms::Form {
public:
    explicit FrmAyuda(forms::Program& program);

    void Command1_Click();

private:
    QLabel* Label1;
    QPushButton* Command1;
};

}  // namespace quality
