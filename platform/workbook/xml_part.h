#pragma once
// The XML parts of a workbook package, parsed so that writing them back
// changes nothing but what was edited.

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace workbook {

// Parses the XML of the named part into the document, keeping its declaration
// and the blanks of texts such as " ". Throws std::runtime_error naming the
// part when it is not readable XML.
void parseXmlPart(pugi::xml_document& document, std::string_view xml, std::string_view partName);

// The document as the text of a part, without added indentation.
std::string xmlPartText(const pugi::xml_document& document);

}  // namespace workbook
