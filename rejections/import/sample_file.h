#pragma once
// A sample file read once from start to end, line by line: each line is the
// text between two line ends, which may be CR LF, LF or CR, and stays in the
// file's code page (Windows-1252, one byte a character).

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace rejections {

// A sample file that can't be opened or read, with the number the old
// runtime gave that failure: 53 file not found, 75 path or file access
// error, 57 device input/output error.
class SampleFileError : public std::runtime_error {
public:
    SampleFileError(long number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    long number() const { return number_; }

private:
    long number_;
};

class SampleFile {
public:
    // Opens the file for reading. Throws SampleFileError when it is missing
    // (53) or is not a file that can be read (75).
    explicit SampleFile(const std::filesystem::path& path);

    SampleFile(SampleFile&&) noexcept = default;
    SampleFile& operator=(SampleFile&&) noexcept = default;
    SampleFile(const SampleFile&) = delete;
    SampleFile& operator=(const SampleFile&) = delete;

    // Reads the next line, without its line end, into line. Returns false,
    // leaving line empty, when the file has no more lines. A read failure
    // throws SampleFileError (57).
    bool read_line(std::string& line);

private:
    bool fill();

    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    // A CR ended the last line: an LF right after it belongs to the same line end.
    bool after_cr_ = false;
    bool eof_ = false;
};

}  // namespace rejections
