#pragma once
// The site's menu tree, read from its data file ("menu.dat"), and its
// rendering for one page through the template blocks.
//
// Data file: one entry per line: id, parent id (0 at the top level), link,
// label; a label with blanks is written in double or single quotes.

#include <istream>
#include <ostream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "templatizer.h"

struct menu_node {
    int id = 0;
    int parent = 0;  // the parent entry's id; 0 for a top-level entry
    std::string label;
    std::string link;

    // The label alone.
    void render_text(std::ostream& out, int depth) const;
    // An anchor to the link with the label as its text.
    void render_html(std::ostream& out, int depth) const;
};

// Reads one entry; a stream already failed is left alone.
std::istream& operator>>(std::istream& in, menu_node& node);
// Writes one entry in the data file's form: 12 3 /prices.html "Price list".
std::ostream& operator<<(std::ostream& out, const menu_node& node);

class menu {
public:
    explicit menu(Templatizer* engine) : engine_(engine) {}

    // Lookups take the first entry in file order.
    const menu_node* find_node(int id) const;
    const menu_node* find_node(const std::string& link) const;

    // The path to the entry whose link is the URL: its id, then its
    // ancestors' up to the top level. A URL not in the tree is reported on
    // standard error and leaves the path as it was.
    void find_path(const std::string& url);
    bool in_path(const menu_node& node) const;
    bool has_children(const menu_node& node) const;

    // Writes the whole menu for the URL: the top level, and below every entry
    // on the path to the URL its children.
    void draw(std::ostream& out, const std::string& url);
    // Writes the entries of one parent at a nesting depth, opening those on
    // the path. Levels are kept on a stack of its own, so a chain of any
    // depth is drawn without deep recursion.
    void render_level(std::ostream& out, int parent, int depth);

    const std::vector<int>& path() const { return path_; }
    const std::vector<menu_node>& nodes() const { return nodes_; }

    friend std::istream& operator>>(std::istream& in, menu& tree);
    friend std::ostream& operator<<(std::ostream& out, const menu& tree);

private:
    void add_node(menu_node node);
    void render_block(std::ostream& out, const std::string& block);

    Templatizer* engine_;  // not owned
    std::vector<int> path_;
    std::unordered_set<int> path_ids_;  // the path's ids, for lookups in constant time
    std::string url_;
    std::vector<menu_node> nodes_;
    // Indexes kept with the nodes as they are read: the first entry of each
    // id, and the entries of each parent in file order.
    std::unordered_map<int, size_t> first_of_id_;
    std::unordered_map<int, std::vector<size_t>> children_of_;
};

// Reads entries until one fails to read (a non-numeric id or parent ends the
// reading silently; the entries before it stay).
std::istream& operator>>(std::istream& in, menu& tree);
// Writes every entry, each on its own line.
std::ostream& operator<<(std::ostream& out, const menu& tree);
