#pragma once
// How Zovavidevir starts: the splash presents Salvient and hands over to the
// main window Importadat, which opens the database.

namespace forms {
class Program;
}

namespace billing {

struct Module1;

// Shows the splash; `modulo` outlives the program's windows.
void startZovavidevir(forms::Program& program, Module1& modulo);

}  // namespace billing
