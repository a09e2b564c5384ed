#include "xml_part.h"

#include <stdexcept>

namespace workbook {

void parseXmlPart(pugi::xml_document& document, std::string_view xml, std::string_view partName) {
    pugi::xml_parse_result parsed = document.load_buffer(
        xml.data(), xml.size(),
        pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single,
        pugi::encoding_utf8);
    if (!parsed)
        throw std::runtime_error("the part " + std::string(partName) +
                                 " is not readable XML: " + parsed.description());
}

std::string xmlPartText(const pugi::xml_document& document) {
    struct Collector : pugi::xml_writer {
        std::string text;
        void write(const void* data, size_t size) override {
            text.append(static_cast<const char*>(data), size);
        }
    } collector;
    document.save(collector, "", pugi::format_raw, pugi::encoding_utf8);
    return collector.text;
}

}  // namespace workbook
