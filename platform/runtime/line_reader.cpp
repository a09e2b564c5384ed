#include "line_reader.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include "runtime_error.h"
#include "strings.h"

namespace runtime {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

// The code points of bytes 0x80..0x9F in Windows-1252.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string windows1252_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    append_windows1252_as_utf8(out, bytes);
    return out;
}

void append_windows1252_as_utf8(std::string& out, std::string_view bytes) {
    // Most of what the programs read is plain ASCII: runs of it are found
    // eight bytes at a time and copied whole.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t run = 0;
    std::size_t i = 0;
    while (i < size) {
        if (i + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, data + i, sizeof word);
            if ((word & kHighBits) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char b = static_cast<unsigned char>(data[i]);
        if (b >= 0x80) {
            out.append(data + run, i - run);
            append_utf8(out, b < 0xA0 ? kHighControls[b - 0x80] : char32_t{b});
            run = i + 1;
        }
        ++i;
    }
    out.append(data + run, size - run);
}

LineReader::LineReader(const std::filesystem::path& file) : file_(file), buffer_(kBlockSize) {
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        throw Error(kFileNotFound, "No se encontró el archivo '" + file.string() + "'.");
    stream_ = std::fopen(file.c_str(), "rb");
    if (!stream_ || std::filesystem::is_directory(file, error)) {
        if (stream_)
            std::fclose(stream_);
        stream_ = nullptr;
        throw Error(kPathFileAccessError,
                    "No se puede leer el archivo '" + file.string() + "': " + std::strerror(errno));
    }
    length_ = std::filesystem::file_size(file, error);
}

LineReader::~LineReader() {
    if (stream_)
        std::fclose(stream_);
}

LineReader::LineReader(LineReader&& other) noexcept
    : file_(std::move(other.file_)),
      stream_(std::exchange(other.stream_, nullptr)),
      length_(other.length_),
      buffer_(std::move(other.buffer_)),
      start_(other.start_),
      end_(other.end_) {}

LineReader& LineReader::operator=(LineReader&& other) noexcept {
    if (this != &other) {
        if (stream_)
            std::fclose(stream_);
        file_ = std::move(other.file_);
        stream_ = std::exchange(other.stream_, nullptr);
        length_ = other.length_;
        buffer_ = std::move(other.buffer_);
        start_ = other.start_;
        end_ = other.end_;
    }
    return *this;
}

bool LineReader::fill() {
    if (!stream_)
        return false;
    start_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), stream_);
    return end_ > 0;
}

bool LineReader::eof() {
    return start_ == end_ && !fill();
}

std::string LineReader::read_line() {
    std::string line;
    read_line(line);
    return line;
}

void LineReader::read_line(std::string& line) {
    if (eof())
        throw Error(kInputPastEndOfFile,
                    "Se intentó leer más allá del final del archivo '" + file_.string() + "'.");
    std::string& bytes = bytes_;
    bytes.clear();
    for (;;) {
        if (start_ == end_ && !fill())
            break;
        const char* begin = buffer_.data() + start_;
        const char* stop = static_cast<const char*>(std::memchr(begin, '\n', end_ - start_));
        const char* cr = static_cast<const char*>(std::memchr(begin, '\r', end_ - start_));
        if (cr && (!stop || cr < stop))
            stop = cr;
        if (!stop) {
            bytes.append(begin, end_ - start_);
            start_ = end_;
            continue;
        }
        bytes.append(begin, stop - begin);
        start_ += (stop - begin) + 1;
        // A CR followed by LF (perhaps in the next block) is one line end.
        if (*stop == '\r' && (start_ < end_ || fill()) && buffer_[start_] == '\n')
            ++start_;
        break;
    }
    line.clear();
    append_windows1252_as_utf8(line, bytes);
}

}  // namespace runtime
