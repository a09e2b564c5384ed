#include "product_texts.h"

namespace shell {

namespace {
// Both programs were made for the same department.
ProductTexts withCredits(const QString& product, const QString& version) {
    return {product,
            version,
            "Compañía de Teléfonos",
            "Dirección de Operación de Red",
            "Departamento de Facturación Automática",
            "Copyright © 2001"};
}
}  // namespace

ProductTexts dovraneTexts() {
    return withCredits("Dovrane", "Versión 2.0.0");
}

ProductTexts salvientTexts() {
    return withCredits("Salvient", "Versión 1.0.0");
}

}  // namespace shell
