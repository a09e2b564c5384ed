// quillon on generated menus of 1,000 to 1,000,000 entries in three shapes:
// flat (every entry at the top level, the page in the middle), balanced (ten
// children under every entry, the page a deepest leaf) and chain (each entry
// the parent of the next, the page at the bottom, so every level opens).
// Runs the program itself, as the web server would, with the example site's
// template, and prints the time per entry, which should stay flat as the
// menu grows.
//
//   quillon_bench [LARGEST_MENU]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct generated_menu {
    std::string url;  // the page drawn
};

void write_entry(std::ofstream& out, long id, long parent) {
    out << id << ' ' << parent << " /p" << id << ".html \"Page " << id << "\"\n";
}

generated_menu write_flat(const fs::path& file, long entries) {
    std::ofstream out(file);
    for (long id = 1; id <= entries; ++id)
        write_entry(out, id, 0);
    return {"/p" + std::to_string(entries / 2) + ".html"};
}

generated_menu write_balanced(const fs::path& file, long entries) {
    // Breadth first: the first ten at the top, then ten children for each entry in turn.
    std::ofstream out(file);
    for (long id = 1; id <= entries; ++id)
        write_entry(out, id, id <= 10 ? 0 : (id - 11) / 10 + 1);
    return {"/p" + std::to_string(entries) + ".html"};
}

generated_menu write_chain(const fs::path& file, long entries) {
    std::ofstream out(file);
    for (long id = 1; id <= entries; ++id)
        write_entry(out, id, id - 1);
    return {"/p" + std::to_string(entries) + ".html"};
}

double run_quillon(const fs::path& dir, const generated_menu& menu) {
    const std::string command = "cd '" + dir.string() + "' && DOCUMENT_ROOT='" + dir.string() +
                                "' '" QUILLON_PATH "' -url '" + menu.url + "' >/dev/null 2>&1";
    auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "quillon failed: %s\n", command.c_str());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const long largest = argc > 1 ? std::atol(argv[1]) : 1000000;
    char pattern[] = "/tmp/quillon_bench.XXXXXX";
    const fs::path dir = mkdtemp(pattern);
    fs::copy_file(EXAMPLE_TEMPLATE, dir / "menu.tpl");

    struct shape {
        const char* name;
        generated_menu (*write)(const fs::path&, long);
    };
    const shape shapes[] = {
        {"flat", write_flat}, {"balanced", write_balanced}, {"chain", write_chain}};

    std::printf("%-9s %10s %10s %14s\n", "shape", "entries", "seconds", "microseconds/entry");
    for (const shape& s : shapes) {
        for (long entries = 1000; entries <= largest; entries *= 10) {
            generated_menu menu = s.write(dir / "menu.dat", entries);
            double seconds = run_quillon(dir, menu);
            std::printf("%-9s %10ld %10.3f %14.3f\n", s.name, entries, seconds,
                        seconds * 1e6 / entries);
        }
    }
    fs::remove_all(dir);
    return 0;
}
