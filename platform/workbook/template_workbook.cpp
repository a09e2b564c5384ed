#include "template_workbook.h"

#include <cmath>
#include <stdexcept>
#include <vector>

#include "cell_reference.h"
#include "cell_text.h"
#include "package.h"
#include "sheet_part.h"
#include "xml_part.h"

namespace workbook {

namespace {

const PackagePart& requirePart(const Package& package, const std::string& name) {
    const PackagePart* part = package.find(name);
    if (!part)
        throw std::runtime_error("the part " + name + " is missing");
    return *part;
}

// The folder of a part, with its trailing slash: "xl/" for "xl/workbook.xml".
std::string folderOf(const std::string& part) {
    size_t slash = part.rfind('/');
    return slash == std::string::npos ? "" : part.substr(0, slash + 1);
}

// Where a relationship points: absolute targets start at the package's root,
// the others at the folder of the part that holds the relationship.
std::string resolveTarget(const std::string& sourceFolder, const std::string& target) {
    if (target.starts_with('/'))
        return target.substr(1);
    return (std::filesystem::path(sourceFolder) / target).lexically_normal().generic_string();
}

std::string relationshipsPartOf(const std::string& part) {
    size_t slash = part.rfind('/');
    std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
    return folder + "_rels/" + part.substr(slash + 1) + ".rels";
}

// The target of the first relationship of the part that the test accepts.
template <typename Accept>
std::string relationshipTarget(const Package& package, const std::string& relationshipsPart,
                               const std::string& sourceFolder, Accept accept) {
    pugi::xml_document relationships;
    parseXmlPart(relationships, requirePart(package, relationshipsPart).content, relationshipsPart);
    for (pugi::xml_node relationship :
         relationships.child("Relationships").children("Relationship"))
        if (accept(relationship))
            return resolveTarget(sourceFolder, relationship.attribute("Target").value());
    throw std::runtime_error("the part " + relationshipsPart + " names no such part");
}

std::string workbookPartOf(const Package& package) {
    return relationshipTarget(package, "_rels/.rels", "", [](pugi::xml_node relationship) {
        return std::string_view(relationship.attribute("Type").value())
            .ends_with("/officeDocument");
    });
}

// The sheet a workbook window shows when it opens, which Cells(row, col) reach.
std::string activeSheetPartOf(const Package& package, const std::string& workbookPart) {
    pugi::xml_document workbook;
    parseXmlPart(workbook, requirePart(package, workbookPart).content, workbookPart);
    pugi::xml_node root = workbook.child("workbook");
    int activeTab = root.child("bookViews").child("workbookView").attribute("activeTab").as_int(0);

    std::vector<pugi::xml_node> sheets;
    for (pugi::xml_node sheet : root.child("sheets").children("sheet"))
        sheets.push_back(sheet);
    if (sheets.empty())
        throw std::runtime_error("the workbook has no sheet");
    pugi::xml_node sheet = activeTab >= 0 && activeTab < static_cast<int>(sheets.size())
                               ? sheets[activeTab]
                               : sheets[0];

    std::string id;
    for (pugi::xml_attribute attribute : sheet.attributes())
        if (std::string_view(attribute.name()).ends_with(":id"))
            id = attribute.value();
    return relationshipTarget(
        package, relationshipsPartOf(workbookPart), folderOf(workbookPart),
        [&](pugi::xml_node relationship) { return id == relationship.attribute("Id").value(); });
}

// Marks the workbook so that opening it suggests read-only; fileSharing
// stands after fileVersion, before everything else.
std::string withReadOnlyRecommended(const PackagePart& workbookPart) {
    pugi::xml_document workbook;
    parseXmlPart(workbook, workbookPart.content, workbookPart.name);
    pugi::xml_node root = workbook.child("workbook");
    pugi::xml_node sharing = root.child("fileSharing");
    if (!sharing) {
        pugi::xml_node version = root.child("fileVersion");
        sharing = version ? root.insert_child_after("fileSharing", version)
                          : root.prepend_child("fileSharing");
    }
    if (!sharing.attribute("readOnlyRecommended"))
        sharing.prepend_attribute("readOnlyRecommended");
    sharing.attribute("readOnlyRecommended") = "1";
    return xmlPartText(workbook);
}

}  // namespace

struct TemplateWorkbook::State {
    Package package;
    std::string workbookPart;
    std::string sheetPart;
    SheetPart sheet;
    std::string name;
};

TemplateWorkbook TemplateWorkbook::open(const std::filesystem::path& file) {
    Package package = Package::read(file);
    try {
        std::string workbookPart = workbookPartOf(package);
        std::string sheetPart = activeSheetPartOf(package, workbookPart);
        SheetPart sheet(requirePart(package, sheetPart).content, sheetPart);
        return TemplateWorkbook(std::make_unique<State>(
            State{std::move(package), std::move(workbookPart), std::move(sheetPart),
                  std::move(sheet), file.filename().string()}));
    } catch (const WorkbookError&) {
        throw;
    } catch (const std::runtime_error& error) {
        throw WorkbookError("cannot open the workbook \"" + file.string() +
                            "\": not a workbook file (" + error.what() + ")");
    }
}

TemplateWorkbook::TemplateWorkbook(std::unique_ptr<State> state) : state_(std::move(state)) {}
TemplateWorkbook::TemplateWorkbook(TemplateWorkbook&&) noexcept = default;
TemplateWorkbook& TemplateWorkbook::operator=(TemplateWorkbook&&) noexcept = default;
TemplateWorkbook::~TemplateWorkbook() = default;

TemplateWorkbook::State& TemplateWorkbook::state() const {
    if (!state_)
        throw std::logic_error("the workbook is closed");
    return *state_;
}

std::string TemplateWorkbook::name() const {
    return state().name;
}

void TemplateWorkbook::close() {
    state_.reset();
}

void TemplateWorkbook::setValue(int row, int column, std::string_view text) {
    State& current = state();
    checkCellPosition(row, column);
    checkCellText(text);
    current.sheet.setText(row, column, text);
}

void TemplateWorkbook::setValue(int row, int column, double number) {
    State& current = state();
    checkCellPosition(row, column);
    if (!std::isfinite(number))
        throw std::invalid_argument("a cell can't hold a number that is not finite");
    current.sheet.setNumber(row, column, number);
}

void TemplateWorkbook::setValue(int row, int column, DateSerial date) {
    setValue(row, column, date.days);
}

void TemplateWorkbook::clearValue(int row, int column) {
    State& current = state();
    checkCellPosition(row, column);
    current.sheet.clear(row, column);
}

void TemplateWorkbook::saveAs(const std::filesystem::path& file, const SaveOptions& options) {
    State& current = state();
    Package package = current.package;  // the parts as opened stay for the next save
    package.find(current.sheetPart)->content = current.sheet.xml();
    if (options.readOnlyRecommended) {
        PackagePart* workbookPart = package.find(current.workbookPart);
        workbookPart->content = withReadOnlyRecommended(*workbookPart);
    }
    package.write(file);
    current.name = file.filename().string();
}

}  // namespace workbook
