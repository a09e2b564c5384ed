#include "menu.h"

#include <algorithm>
#include <iostream>

namespace {

// White space within a line: every kind but the line feed, so that files
// with carriage-return line ends read the same.
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

size_t skip_blanks(const std::string& text, size_t at) {
    while (at < text.size() && is_blank(text[at])) ++at;
    return at;
}

size_t skip_word(const std::string& text, size_t at) {
    while (at < text.size() && !is_blank(text[at])) ++at;
    return at;
}

}  // namespace

void menu_node::render_text(std::ostream& out, int /*depth*/) const { out << label; }

void menu_node::render_html(std::ostream& out, int /*depth*/) const {
    out << "<a href=\"" << link << "\">" << label << "</a>";
}

std::istream& operator>>(std::istream& in, menu_node& node) {
    if (!(in >> node.id >> node.parent)) return in;
    // The rest of the line, of any length, holds the link and the label. An
    // entry on a last line without a line end still counts.
    std::string rest;
    if (!in.eof()) std::getline(in, rest);

    size_t start = skip_blanks(rest, 0);
    size_t end = skip_word(rest, start);
    node.link = rest.substr(start, end - start);

    start = skip_blanks(rest, end);
    if (start < rest.size() && (rest[start] == '"' || rest[start] == '\'')) {
        auto close = rest.find(rest[start], start + 1);
        node.label = rest.substr(start + 1, close == std::string::npos ? std::string::npos
                                                                       : close - start - 1);
    } else {
        node.label = rest.substr(start, skip_word(rest, start) - start);
    }
    return in;
}

std::ostream& operator<<(std::ostream& out, const menu_node& node) {
    return out << node.id << ' ' << node.parent << ' ' << node.link << " \"" << node.label
               << '"';
}

std::istream& operator>>(std::istream& in, menu& tree) {
    while (in.good()) {
        menu_node node;
        in >> node;
        if (in.fail()) break;
        tree.nodes_.push_back(std::move(node));
    }
    return in;
}

std::ostream& operator<<(std::ostream& out, const menu& tree) {
    for (const auto& node : tree.nodes_) out << node << '\n';
    return out;
}

const menu_node* menu::find_node(int id) const {
    auto found = std::find_if(nodes_.begin(), nodes_.end(),
                              [id](const menu_node& node) { return node.id == id; });
    return found == nodes_.end() ? nullptr : &*found;
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
    path_.push_back(node->id);
    // A chain that loops back on itself ends at the first id already on it.
    while (node->parent != 0) {
        node = find_node(node->parent);
        if (!node || std::find(path_.begin(), path_.end(), node->id) != path_.end()) break;
        path_.push_back(node->id);
    }
}

bool menu::in_path(const menu_node& node) const {
    return std::find(path_.begin(), path_.end(), node.id) != path_.end();
}

bool menu::has_children(const menu_node& node) const {
    return std::any_of(nodes_.begin(), nodes_.end(),
                       [&node](const menu_node& other) { return other.parent == node.id; });
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
    std::vector<int> open_chain;
    render_level(out, parent, depth, open_chain);
}

void menu::render_level(std::ostream& out, int parent, int depth, std::vector<int>& open_chain) {
    // The parents whose entries are being written now: an entry whose id is
    // among them is already open on this chain (an entry of id 0, or
    // duplicate ids forming a cycle) and is drawn as a leaf, so the
    // recursion always ends.
    open_chain.push_back(parent);
    Templatizer& engine = *engine_;
    for (const auto& node : nodes_) {
        if (node.parent != parent) continue;
        engine["link"] = node.link;
        engine["label"] = node.label;
        engine.Parse(node.link == url_ ? "menu.link.selected" : "menu.link.unselected",
                     "menulink", false);
        bool already_open =
            std::find(open_chain.begin(), open_chain.end(), node.id) != open_chain.end();
        if (in_path(node) && has_children(node) && !already_open) {
            engine["level"] = std::string(1, static_cast<char>('1' + depth));
            render_block(out, "menu.branch.top");
            render_level(out, node.id, depth + 1, open_chain);
            engine["level"] = std::string(1, static_cast<char>('0' + depth));
            render_block(out, "menu.branch.bottom");
        } else {
            render_block(out, "menu.leaf");
        }
    }
    open_chain.pop_back();
}

void menu::render_block(std::ostream& out, const std::string& block) {
    engine_->Parse(block, "outbound", false);
    out << (*engine_)["outbound"];
}
