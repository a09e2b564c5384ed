#include "workbook_reader.h"

#include <memory>
#include <regex>
#include <stdexcept>

#include <zip.h>

#include "process.h"

namespace workbook_test {

namespace {

std::string texts(pugi::xml_node stringItem) {
    std::string text;
    for (pugi::xpath_node t : stringItem.select_nodes(".//t"))
        text += t.node().text().get();
    return text;
}

// The format codes that workbooks use without writing them out.
std::string builtInFormat(int id) {
    static const std::map<int, std::string> formats = {
        {0, "General"}, {1, "0"},         {2, "0.00"},        {9, "0%"},
        {10, "0.00%"},  {14, "mm-dd-yy"}, {22, "m/d/yy h:mm"}};
    auto found = formats.find(id);
    return found == formats.end() ? "builtin " + std::to_string(id) : found->second;
}

}  // namespace

WorkbookRead::WorkbookRead(const std::filesystem::path& file) {
    int code = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open(file.c_str(), ZIP_RDONLY, &code), zip_discard);
    if (!archive)
        throw std::runtime_error("not a zip file: " + file.string());
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive.get(), 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive.get(), i, 0, &stat);
        std::string content(stat.size, '\0');
        zip_file_t* entry = zip_fopen_index(archive.get(), i, 0);
        zip_fread(entry, content.data(), stat.size);
        zip_fclose(entry);
        parts_[stat.name] = content;
        partOrder_.push_back(stat.name);
    }
}

const std::string& WorkbookRead::part(const std::string& name) const {
    auto found = parts_.find(name);
    if (found == parts_.end())
        throw std::runtime_error("no part " + name);
    return found->second;
}

std::vector<std::string> WorkbookRead::partNames() const {
    return partOrder_;
}

pugi::xml_document WorkbookRead::xml(const std::string& name) const {
    pugi::xml_document document;
    const std::string& text = part(name);
    if (!document.load_buffer(text.data(), text.size(),
                              pugi::parse_default | pugi::parse_ws_pcdata_single))
        throw std::runtime_error("the part " + name + " is not XML");
    return document;
}

std::vector<std::string> WorkbookRead::sheetNames() const {
    std::vector<std::string> names;
    pugi::xml_document workbook = xml("xl/workbook.xml");
    for (pugi::xml_node sheet : workbook.child("workbook").child("sheets").children("sheet"))
        names.push_back(sheet.attribute("name").value());
    return names;
}

std::string WorkbookRead::sheetPart(int index) const {
    pugi::xml_document workbook = xml("xl/workbook.xml");
    pugi::xml_document relationships = xml("xl/_rels/workbook.xml.rels");
    int i = 0;
    for (pugi::xml_node sheet : workbook.child("workbook").child("sheets").children("sheet")) {
        if (i++ != index)
            continue;
        std::string id = sheet.attribute("r:id").value();
        for (pugi::xml_node relationship :
             relationships.child("Relationships").children("Relationship"))
            if (id == relationship.attribute("Id").value())
                return "xl/" + std::string(relationship.attribute("Target").value());
    }
    throw std::runtime_error("no sheet " + std::to_string(index));
}

std::map<std::string, CellRead> WorkbookRead::cells(int sheet) const {
    std::vector<std::string> shared;
    if (has("xl/sharedStrings.xml")) {
        pugi::xml_document strings = xml("xl/sharedStrings.xml");
        for (pugi::xml_node item : strings.child("sst").children("si"))
            shared.push_back(texts(item));
    }
    std::map<std::string, CellRead> cells;
    pugi::xml_document document = xml(sheetPart(sheet));
    for (pugi::xml_node row : document.child("worksheet").child("sheetData").children("row"))
        for (pugi::xml_node c : row.children("c")) {
            CellRead cell{c.attribute("t").value(), c.child("v").text().get(),
                          c.attribute("s").as_int(0)};
            if (cell.type == "s")
                cell.value = shared.at(std::stoul(cell.value));
            else if (cell.type == "inlineStr")
                cell.value = texts(c.child("is"));
            cells[c.attribute("r").value()] = cell;
        }
    return cells;
}

std::vector<int> WorkbookRead::rowOrder(int sheet) const {
    std::vector<int> rows;
    pugi::xml_document document = xml(sheetPart(sheet));
    for (pugi::xml_node row : document.child("worksheet").child("sheetData").children("row"))
        rows.push_back(row.attribute("r").as_int());
    return rows;
}

std::vector<std::string> WorkbookRead::cellOrder(int sheet) const {
    std::vector<std::string> order;
    pugi::xml_document document = xml(sheetPart(sheet));
    for (pugi::xml_node row : document.child("worksheet").child("sheetData").children("row"))
        for (pugi::xml_node c : row.children("c"))
            order.push_back(c.attribute("r").value());
    return order;
}

std::string WorkbookRead::dimension(int sheet) const {
    return xml(sheetPart(sheet)).child("worksheet").child("dimension").attribute("ref").value();
}

StyleRead WorkbookRead::style(int index) const {
    pugi::xml_document styles = xml("xl/styles.xml");
    pugi::xml_node sheet = styles.child("styleSheet");
    std::vector<pugi::xml_node> formats;
    for (pugi::xml_node xf : sheet.child("cellXfs").children("xf"))
        formats.push_back(xf);
    pugi::xml_node xf = formats.at(index);

    StyleRead style;
    int formatId = xf.attribute("numFmtId").as_int();
    style.numberFormat = builtInFormat(formatId);
    for (pugi::xml_node format : sheet.child("numFmts").children("numFmt"))
        if (format.attribute("numFmtId").as_int() == formatId)
            style.numberFormat = format.attribute("formatCode").value();

    int i = 0, fontId = xf.attribute("fontId").as_int();
    for (pugi::xml_node font : sheet.child("fonts").children("font"))
        if (i++ == fontId) {
            style.bold = bool(font.child("b"));
            style.fontSize = font.child("sz").attribute("val").as_double();
        }
    i = 0;
    int borderId = xf.attribute("borderId").as_int();
    for (pugi::xml_node border : sheet.child("borders").children("border"))
        if (i++ == borderId) {
            style.leftBorder = border.child("left").attribute("style").value();
            style.bottomBorder = border.child("bottom").attribute("style").value();
        }
    style.horizontal = xf.child("alignment").attribute("horizontal").value();
    return style;
}

std::string spreadsheetText(const std::string& stored) {
    static const std::regex escape("_x([0-9A-Fa-f]{4})_");
    std::string text;
    auto from = stored.cbegin();
    for (std::sregex_iterator match(stored.begin(), stored.end(), escape), end; match != end;
         ++match) {
        text.append(from, (*match)[0].first);
        unsigned code = std::stoul((*match)[1].str(), nullptr, 16);
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else if (code < 0x800) {
            text += static_cast<char>(0xC0 | code >> 6);
            text += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | code >> 12);
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
        from = (*match)[0].second;
    }
    text.append(from, stored.cend());
    return text;
}

std::string xlsx2csv(const std::filesystem::path& file) {
    testsupport::ProcessResult result =
        testsupport::run_process({"/usr/bin/xlsx2csv",
                                  {file.string()},
                                  {{"PATH", "/usr/bin:/bin"}, {"LC_ALL", "C.UTF-8"}},
                                  "",
                                  ""});
    if (result.status != 0)
        throw std::runtime_error("xlsx2csv failed on " + file.string() + ": " + result.err);
    return result.out;
}

void replacePart(const std::filesystem::path& file, const std::string& part,
                 const std::string& content) {
    int code = 0;
    zip_t* archive = zip_open(file.c_str(), 0, &code);
    if (!archive)
        throw std::runtime_error("not a zip file: " + file.string());
    zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
    zip_int64_t index = zip_name_locate(archive, part.c_str(), 0);
    if (index < 0 || zip_file_replace(archive, index, source, 0) != 0 || zip_close(archive) != 0) {
        zip_source_free(source);
        zip_discard(archive);
        throw std::runtime_error("cannot replace " + part + " in " + file.string());
    }
}

}  // namespace workbook_test
