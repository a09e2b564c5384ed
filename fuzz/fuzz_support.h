#pragma once
// What the fuzz targets share: the entry function every target defines, a
// check that stops the run on a broken promise (libFuzzer keeps the input;
// the regression test fails), and the small helpers their checks need.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace fuzz {

inline std::string_view bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at every `separator` byte: the several texts one input
// stands for (a query string and a body, a pattern and a text, ...).
inline std::vector<std::string> split(std::string_view input, char separator, std::size_t parts) {
    std::vector<std::string> out;
    while (out.size() + 1 < parts) {
        const std::size_t at = input.find(separator);
        if (at == std::string_view::npos)
            break;
        out.emplace_back(input.substr(0, at));
        input.remove_prefix(at + 1);
    }
    out.emplace_back(input);
    out.resize(parts);
    return out;
}

inline bool is_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

// A folder of this process for the files a parser reads, removed at exit.
class ScratchFolder {
public:
    ScratchFolder() {
        // In memory where the machine has it: files are written for every input.
        const std::filesystem::path memory = "/dev/shm";
        const auto parent =
            std::filesystem::is_directory(memory) ? memory : std::filesystem::temp_directory_path();
        path_ = parent / ("fuzz-" + std::to_string(static_cast<long>(getpid_())));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    // Writes the bytes to the file `name` of the folder and gives its path.
    std::filesystem::path write(const std::string& name, std::string_view content) const {
        const auto file = path_ / name;
        std::FILE* out = std::fopen(file.c_str(), "wb");
        FUZZ_CHECK(out);
        FUZZ_CHECK(std::fwrite(content.data(), 1, content.size(), out) == content.size());
        std::fclose(out);
        return file;
    }

private:
    static int getpid_();
    std::filesystem::path path_;
};

}  // namespace fuzz
