#pragma once
// Qt's own Spanish for its stock dialogs and buttons (the file dialog's
// "Abrir", the message boxes' "Aceptar", "Sí", "No", "Cancelar"): Debian's
// qt6-translations-l10n, loaded by each program's main() after its
// QApplication.

class QCoreApplication;
class QTranslator;

namespace forms {

// Installs qtbase_es from Qt's translations folder (owned by `app`); null
// when it is not there: the dialogs then speak English.
QTranslator* installQtSpanish(QCoreApplication& app);

}  // namespace forms
