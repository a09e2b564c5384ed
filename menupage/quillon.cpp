// quillon: a CGI program that writes the navigation menu of the page being
// served, through the blocks of the site's template file.
//
//   quillon [-config DATAFILE] [-url URL] [-template TEMPLATE]
//
// Environment: QUILLON_SITEMAP (data file), QUILLON_TEMPLATE (template file),
// REQUEST_URI (URL), DOCUMENT_ROOT (where relative template names resolve),
// QUILLON_DEBUG (set: write debug lines). Options win over the environment.
// Always ends with status 0.

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include <unistd.h>

#include "html.h"
#include "menu.h"
#include "populatetemplate.h"
#include "templatizer.h"

namespace {

// The request, read once from the options and the environment.
struct request {
    std::string document_root;
    std::string data_file;
    std::string template_file;
    std::string url;
    bool debug = false;
};

const char* env(const char* name) { return std::getenv(name); }

// The current directory, whatever its length; empty when it can't be read.
std::string current_directory() {
    std::string buffer(256, '\0');
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) return "";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.c_str();
}

request read_request(int argc, char** argv) {
    request r;
    // An empty DOCUMENT_ROOT counts as unset.
    const char* root = env("DOCUMENT_ROOT");
    r.document_root = root && *root ? root : current_directory();
    r.debug = env("QUILLON_DEBUG") != nullptr;

    // One position at a time: an option's value is itself examined as an
    // option, and an option in the last position has no value.
    const char* config = nullptr;
    const char* url = nullptr;
    const char* template_file = nullptr;
    for (int i = 1; i < argc - 1; ++i) {
        std::string option = argv[i];
        if (option == "-config") config = argv[i + 1];
        if (option == "-url") url = argv[i + 1];
        if (option == "-template") template_file = argv[i + 1];
    }
    if (!config) config = env("QUILLON_SITEMAP");
    if (!template_file) template_file = env("QUILLON_TEMPLATE");
    if (!url) url = env("REQUEST_URI");
    r.data_file = config ? config : "menu.dat";
    r.template_file = template_file ? template_file : "menu.tpl";
    r.url = url ? url : "";
    return r;
}

void write_debug_lines(std::ostream& out, const request& r) {
    out << "URL: " << html_text(r.url) << "<br>\n";
    out << "CWD: " << html_text(current_directory()) << "<br>\n";
    out << "Template_File: " << html_text(r.template_file) << "<br>\n";
    out << "Config File: " << html_text(r.data_file) << "<br>\n";
}

}  // namespace

int main(int argc, char** argv) {
    request r = read_request(argc, argv);
    Templatizer engine(r.document_root);
    menu tree(&engine);

    std::cout << "Content-type: text/html\n\n";

    PopulateTemplatizer(engine, r.template_file);
    std::ifstream data(r.data_file);
    data >> tree;
    data.close();

    if (r.debug) write_debug_lines(std::cout, r);
    tree.draw(std::cout, r.url);
    std::cout.flush();
    return 0;
}
