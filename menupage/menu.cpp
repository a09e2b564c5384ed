#include "menu.h"

#include <algorithm>
#include <iostream>

namespace {

// White space within a line: every kind but the line feed, so that files
// with carriage-return line ends read the same.
bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

size_t skip_blanks(const std::string& text, size_t at) {
    while (at < text.size() && is_blank(text[at]))
        ++at;
    return at;
}

size_t skip_word(const std::string& text, size_t at) {
    while (at < text.size() && !is_blank(text[at]))
        ++at;
    return at;
}

}  // namespace

void menu_node::render_text(std::ostream& out, int /*depth*/) const {
    out << label;
}

void menu_node::render_html(std::ostream& out, int /*depth*/) const {
    out << "<a href=\"" << link << "\">" << label << "</a>";
}

std::istream& operator>>(std::istream& in, menu_node& node) {
    if (!(in >> node.id >> node.parent))
        return in;
    // The rest of the line, of any length, holds the link and the label. An
    // entry on a last line without a line end still counts.
    std::string rest;
    if (!in.eof())
        std::getline(in, rest);

    size_t start = skip_blanks(rest, 0);
    size_t end = skip_word(rest, start);
    node.link = rest.substr(start, end - start);

    start = skip_blanks(rest, end);
    if (start < rest.size() && (rest[start] == '"' || rest[start] == '\'')) {
        auto close = rest.find(rest[start], start + 1);
        if (close == std::string::npos) {
            // An unclosed quote runs to the end of the line, less the carriage
            // return of a CR LF file.
            close = rest.size();
            while (close > start + 1 && rest[close - 1] == '\r')
                --close;
        }
        node.label = rest.substr(start + 1, close - start - 1);
    } else {
        node.label = rest.substr(start, skip_word(rest, start) - start);
    }
    return in;
}

std::ostream& operator<<(std::ostream& out, const menu_node& node) {
    return out << node.id << ' ' << node.parent << ' ' << node.link << " \"" << node.label << '"';
}

std::istream& operator>>(std::istream& in, menu& tree) {
    while (in.good()) {
        menu_node node;
        in >> node;
        if (in.fail())
            break;
        tree.add_node(std::move(node));
    }
    return in;
}

std::ostream& operator<<(std::ostream& out, const menu& tree) {
    for (const auto& node : tree.nodes_)
        out << node << '\n';
    return out;
}

void menu::add_node(menu_node node) {
    const size_t index = nodes_.size();
    first_of_id_.try_emplace(node.id, index);
    children_of_[node.parent].push_back(index);
    nodes_.push_back(std::move(node));
}

const menu_node* menu::find_node(int id) const {
    auto found = first_of_id_.find(id);
    return found == first_of_id_.end() ? nullptr : &nodes_[found->second];
}

const menu_node* menu::find_node(const std::string& link) const {
    auto found = std::find_if(nodes_.begin(), nodes_.end(),
                              [&link](const menu_node& node) { return node.link == link; });
    return found == nodes_.end() ? nullptr : &*found;
}

void menu::find_path(const std::string& url) {
    const menu_node* node = find_node(url);
    if (!node) {
        std::cerr << "Node " << url << " doesn't exist in our tree." << std::endl;
        return;
    }
    path_.clear();
    path_ids_.clear();
    path_.push_back(node->id);
    path_ids_.insert(node->id);
    // A chain that loops back on itself ends at the first id already on it.
    while (node->parent != 0) {
        node = find_node(node->parent);
        if (!node || !path_ids_.insert(node->id).second)
            break;
        path_.push_back(node->id);
    }
}

bool menu::in_path(const menu_node& node) const {
    return path_ids_.contains(node.id);
}

bool menu::has_children(const menu_node& node) const {
    return children_of_.contains(node.id);
}

void menu::draw(std::ostream& out, const std::string& url) {
    url_ = url;
    find_path(url);
    (*engine_)["level"] = "0";
    render_block(out, "menu.top");
    render_level(out, 0, 0);
    (*engine_)["level"] = "0";
    render_block(out, "menu.bottom");
}

void menu::render_level(std::ostream& out, int parent, int depth) {
    // One level being written: the parent whose entries it lists, its depth
    // and the next of those entries.
    struct level {
        int parent;
        int depth;
        const std::vector<size_t>* entries;  // null when the parent has none
        size_t next;
    };
    static const std::vector<size_t> no_entries;
    std::vector<level> levels;
    // The parents of the open levels: an entry whose id is among them is
    // already open on this chain (an entry of id 0, or duplicate ids forming a
    // cycle) and is drawn as a leaf, so the drawing always ends.
    std::unordered_set<int> open_parents;
    auto open_level = [&](int id, int at_depth) {
        auto found = children_of_.find(id);
        levels.push_back(
            {id, at_depth, found == children_of_.end() ? &no_entries : &found->second, 0});
        open_parents.insert(id);
    };

    Templatizer& engine = *engine_;
    open_level(parent, depth);
    while (!levels.empty()) {
        level& current = levels.back();
        if (current.next == current.entries->size()) {
            // The level is done: close the branch that opened it.
            const int branch_depth = current.depth - 1;
            open_parents.erase(current.parent);
            levels.pop_back();
            if (!levels.empty()) {
                engine["level"] = std::string(1, static_cast<char>('0' + branch_depth));
                render_block(out, "menu.branch.bottom");
            }
            continue;
        }
        const menu_node& node = nodes_[(*current.entries)[current.next++]];
        engine["link"] = node.link;
        engine["label"] = node.label;
        engine.Parse(node.link == url_ ? "menu.link.selected" : "menu.link.unselected", "menulink",
                     false);
        if (in_path(node) && has_children(node) && !open_parents.contains(node.id)) {
            engine["level"] = std::string(1, static_cast<char>('1' + current.depth));
            render_block(out, "menu.branch.top");
            open_level(node.id, current.depth + 1);  // `current` is not used past here
        } else {
            render_block(out, "menu.leaf");
        }
    }
}

void menu::render_block(std::ostream& out, const std::string& block) {
    engine_->Parse(block, "outbound", false);
    out << (*engine_)["outbound"];
}
