#include "populatetemplate.h"

void PopulateTemplatizer(Templatizer& engine, const std::string& file_name) {
    engine.Load_Template(file_name);
}
