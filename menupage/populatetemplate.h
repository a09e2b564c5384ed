#pragma once

#include <string>

#include "templatizer.h"

// Loads the page's template file into the engine.
void PopulateTemplatizer(Templatizer& engine, const std::string& file_name);
