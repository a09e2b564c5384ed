#pragma once
// Reading a billing file: the exchange's dump is a text file of lines, some
// of them headers, trailers or mark-up, the rest hex digits. Blanks carry no
// meaning. Lines end in CR LF, LF or CR; the text is in Windows-1252 and is
// kept in it, one byte a character, so that the record's fixed positions
// count characters.

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace billing {

// The text with every blank (the space character only; tabs stay) removed.
std::string quita_esp(std::string texto);

// True for a line that belongs to the digit stream (its blanks already
// removed): not empty, its first character not after "F" in code order and
// not "<", and not beginning with "FIL", "BAN", "END", "EOT", "CON", "ORD" or
// "EX-". Lower-case hex, header and trailer words and mark-up are skipped.
bool isDataLine(std::string_view line);

// One billing file opened for reading its data lines in order.
class BillingFile {
public:
    explicit BillingFile(const std::filesystem::path& path);
    BillingFile(const BillingFile&) = delete;
    BillingFile& operator=(const BillingFile&) = delete;

    // False when the file could not be opened (missing, a folder, no access).
    bool isOpen() const { return file_ != nullptr; }

    // The next data line with its blanks removed, in the file's code page;
    // nothing once no data line remains. The text stays valid until the next
    // call.
    std::optional<std::string_view> lee_lin();

    // True when reading stopped because the file could not be read further,
    // rather than at its end.
    bool readFailed() const { return readFailed_; }

private:
    bool readLine(std::string& line);
    bool fill();

    struct FileCloser {
        void operator()(std::FILE* file) const noexcept { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::vector<char> chunk_;
    std::size_t chunkPos_ = 0;
    std::size_t chunkEnd_ = 0;
    bool afterCr_ = false;  // a line ended in CR: a LF right after it belongs to it
    bool readFailed_ = false;
    std::string line_;
};

}  // namespace billing
