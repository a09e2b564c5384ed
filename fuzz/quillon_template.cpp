// quillon's template file: its lines split into placeholders, its named
// blocks, and their rendering. Input: the template file's bytes.

#include <map>
#include <sstream>

#include "fuzz_support.h"
#include "templatizer.h"

namespace {

// The placeholders of a line stand where the line holds them, left to right.
void check_line(const template_line& line) {
    int after_last = 0;
    for (const template_element& element : line.elements) {
        FUZZ_CHECK(element.pos >= after_last && element.len >= 2);
        FUZZ_CHECK(static_cast<std::size_t>(element.pos) + element.len <= line.text.size());
        FUZZ_CHECK(line.text[element.pos] == '{' &&
                   line.text[element.pos + element.len - 1] == '}');
        FUZZ_CHECK(line.text.compare(element.pos + 1, element.len - 2, element.name) == 0);
        after_last = element.pos + element.len;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    const auto input = fuzz::bytes(data, size);

    // The blocks as the engine reads them; a later one of a name wins.
    std::map<std::string, template_t> blocks;
    std::istringstream in{std::string(input)};
    while (in) {
        template_t block;
        block.load(in);
        for (const template_line& line : block.lines)
            check_line(line);
        if (!block.name.empty())
            blocks[block.name] = block;
    }

    // With every variable empty, a block renders as its lines without their
    // placeholders, each ended by a line feed.
    Templatizer engine(folder.path().string());
    engine.Load_Template(folder.write("menu.tpl", input).filename().string());
    for (const auto& [name, block] : blocks) {
        std::size_t expected = 0, labels = 0;
        for (const template_line& line : block.lines) {
            expected += line.text.size() + 1;
            for (const template_element& element : line.elements) {
                expected -= element.len;
                labels += element.name == "label";
            }
        }
        engine.Parse(name, "}rendered", false);
        FUZZ_CHECK(engine["}rendered"].size() == expected);
        // A value comes in place of each of its placeholders.
        engine["label"] = "xyz";
        engine.Parse(name, "}rendered", false);
        FUZZ_CHECK(engine["}rendered"].size() == expected + 3 * labels);
        engine["label"].clear();
        engine["}rendered"].clear();
    }
    return 0;
}
