#include "start.h"

#include "Importadat.h"
#include "frmSplash.h"
#include "product_texts.h"
#include "program.h"

namespace billing {

void startZovavidevir(forms::Program& program, Module1& modulo) {
    program.show<shell::frmSplash>(forms::Modeless, shell::salvientTexts(), [&program, &modulo] {
        program.show<Importadat>(forms::Modeless, modulo);
    });
}

}  // namespace billing
