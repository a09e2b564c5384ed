// quillon's menu data file, read into the tree and drawn through the
// example site's template for the pages it names. Input: the data file.

#include <algorithm>
#include <sstream>

#include "fuzz_support.h"
#include "menu.h"
#include "populatetemplate.h"
#include "templatizer.h"

namespace {

// Entries that the data file's form writes back as they were read.
bool writes_back(const menu_node& node) {
    return !node.link.empty() && node.link[0] != '"' && node.link[0] != '\'' &&
           node.label.find('"') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Templatizer engine(MENU_SITE_DIR);
    static const bool loaded = (PopulateTemplatizer(engine, "menu.tpl"), true);
    (void)loaded;

    menu tree(&engine);
    std::istringstream in{std::string(fuzz::bytes(data, size))};
    in >> tree;

    const auto& nodes = tree.nodes();
    if (std::all_of(nodes.begin(), nodes.end(), writes_back)) {
        std::stringstream written;
        written << tree;
        menu again(&engine);
        written >> again;
        FUZZ_CHECK(again.nodes().size() == nodes.size());
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const menu_node& a = nodes[i];
            const menu_node& b = again.nodes()[i];
            FUZZ_CHECK(a.id == b.id && a.parent == b.parent && a.link == b.link &&
                       a.label == b.label);
        }
    }

    // The first, the middle and the last entry's pages: the path runs from the
    // page's entry up through its parents to the top level.
    for (std::size_t at : {std::size_t{0}, nodes.size() / 2, nodes.size() - 1}) {
        if (at >= nodes.size())
            continue;
        const std::string url = nodes[at].link;
        std::ostringstream page;
        tree.draw(page, url);
        const auto& path = tree.path();
        FUZZ_CHECK(!path.empty());
        const menu_node* step = tree.find_node(url);
        for (std::size_t i = 0; i < path.size(); ++i) {
            FUZZ_CHECK(step && step->id == path[i]);
            step = tree.find_node(step->parent);
        }
    }
    return 0;
}
