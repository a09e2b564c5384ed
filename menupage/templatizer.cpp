#include "templatizer.h"

#include <fstream>

namespace {

// The block name of an opening line: the text after the first `name="`,
// up to the next double quote or the end of the line.
std::string block_name(const std::string& line) {
    const std::string attribute = "name=\"";
    auto start = line.find(attribute);
    if (start == std::string::npos) return "default";
    start += attribute.size();
    auto end = line.find('"', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

void template_line::load(const std::string& line) {
    elements.clear();
    for (size_t open = line.find('{'); open != std::string::npos;) {
        auto close = line.find('}', open + 1);
        if (close == std::string::npos) break;
        elements.push_back({line.substr(open + 1, close - open - 1), static_cast<int>(open),
                            static_cast<int>(close - open + 1)});
        open = line.find('{', close + 1);
    }
    text = line;
}

void template_t::load(std::istream& in) {
    bool inside = false;
    std::string line;
    // Lines of any length are read whole.
    while (std::getline(in, line)) {
        if (line.find("</template>") != std::string::npos) return;
        if (inside) {
            template_line parsed;
            parsed.load(line);
            lines.push_back(std::move(parsed));
        } else if (line.find("<template") != std::string::npos) {
            inside = true;
            name = block_name(line);
        }
    }
}

Templatizer::Templatizer() : base_dir_("./") {}

Templatizer::Templatizer(const std::string& root) : base_dir_(root.empty() ? "./" : root) {
    if (base_dir_.back() != '/') base_dir_ += '/';
}

void Templatizer::Load_Template(const std::string& file_name) {
    std::string path = file_name.starts_with('/') ? file_name : base_dir_ + file_name;
    std::ifstream in(path);
    while (in) {
        template_t block;
        block.load(in);
        if (!block.name.empty()) templates_[block.name] = block;
    }
}

void Templatizer::Parse(const std::string& block, const std::string& variable, bool append) {
    std::string result;
    for (const auto& line : templates_[block].lines) {
        std::string text = line.text;
        // From the right, so that the positions further left stay valid.
        for (auto element = line.elements.rbegin(); element != line.elements.rend(); ++element)
            text.replace(element->pos, element->len, variables_[element->name]);
        result += text;
        result += '\n';
    }
    if (append)
        variables_[variable] += result;
    else
        variables_[variable] = result;
}
