#pragma once
// The template engine of the menu page: named blocks read once from a
// template file, rendered by replacing {name} placeholders with the current
// values of named text variables.

#include <istream>
#include <map>
#include <string>
#include <vector>

// One placeholder of a block line.
struct template_element {
    std::string name;  // the text between the braces
    int pos = 0;       // index of the "{" in the line
    int len = 0;       // length of the whole placeholder, braces included
};

// One line of a block, with its placeholders from left to right.
struct template_line {
    std::vector<template_element> elements;
    std::string text;  // exactly as read, placeholders included, without the line end

    // Splits a line into its placeholders: each "{" with a "}" later on the
    // line runs to the first such "}"; a "{" without one is plain text.
    void load(const std::string& line);
};

// One named block of the template file.
struct template_t {
    std::string name;
    std::vector<template_line> lines;

    // Reads lines up to and including the next "</template>" line; the block
    // starts at a line holding "<template". A block still open at the end of
    // the stream ends there. Leaves the name empty when no block was opened.
    void load(std::istream& in);
};

class Templatizer {
public:
    // Relative template names resolve against the current directory.
    Templatizer();
    // Relative template names resolve against `root`; an empty root is the
    // current directory, never "/".
    explicit Templatizer(const std::string& root);

    // Reads the template file's blocks; a missing file yields none. A later
    // block of the same name replaces the earlier one.
    void Load_Template(const std::string& file_name);

    // Renders the named block (an unknown one renders empty) into the named
    // variable, replacing it or, with `append`, adding to its end.
    void Parse(const std::string& block, const std::string& variable, bool append);

    // A variable by name; one never set reads as the empty text.
    std::string& operator[](const std::string& variable) { return variables_[variable]; }

    const std::string& base_dir() const { return base_dir_; }

private:
    std::map<std::string, template_t> templates_;
    std::map<std::string, std::string> variables_;
    std::string base_dir_;
};
