#pragma once
// Sequential text input as the old programs read their files (Open ... For
// Input, Line Input, EOF, LOF): lines in the Windows-1252 code page, ended by
// CR LF, LF or CR, handed out as UTF-8. The file is read in one pass through
// a fixed buffer, however long it is.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace runtime {

// Code page.

// The UTF-8 form of Windows-1252 text (the five bytes that code page leaves
// undefined become U+0081, U+008D, U+008F, U+0090 and U+009D).
std::string windows1252_to_utf8(std::string_view bytes);
// The same, appended to `out`: for readers that build one field after
// another without a new string each time.
void append_windows1252_as_utf8(std::string& out, std::string_view bytes);

// Reading lines.

class LineReader {
public:
    // Opens the file for reading. A missing file raises kFileNotFound, one
    // that cannot be read kPathFileAccessError; both texts name the file.
    explicit LineReader(const std::filesystem::path& file);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    LineReader(LineReader&& other) noexcept;
    LineReader& operator=(LineReader&& other) noexcept;

    // EOF: true when no character is left to read. A file that ends with a
    // line end is at its end right after its last line was read; an empty
    // file is at its end at once.
    bool eof();
    // Line Input: the next line without its line end, in UTF-8. Reading at
    // the end of the file raises kInputPastEndOfFile.
    std::string read_line();
    // The same into `line`, whose storage is reused: for readers of long files.
    void read_line(std::string& line);
    // LOF: the file's length in bytes.
    std::uintmax_t length() const { return length_; }
    const std::filesystem::path& file() const { return file_; }

private:
    bool fill();  // reads the next block; false at the end of the file

    std::filesystem::path file_;
    std::FILE* stream_ = nullptr;
    std::uintmax_t length_ = 0;
    std::vector<char> buffer_;
    std::size_t start_ = 0, end_ = 0;  // the unread part of buffer_
    std::string bytes_;                // the line in hand, in the file's code page
};

}  // namespace runtime
