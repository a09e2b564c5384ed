#include "sample_file.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace rejections {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

}  // namespace

SampleFile::SampleFile(const std::filesystem::path& path) : buffer_(kBufferSize) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        throw SampleFileError(53, "File not found: " + path.string());
    }
    if (std::filesystem::is_directory(status)) {
        throw SampleFileError(75, "Path/File access error: " + path.string());
    }
    file_.reset(std::fopen(path.c_str(), "rb"));
    if (!file_) {
        throw SampleFileError(errno == ENOENT ? 53 : 75,
                              "Path/File access error: " + path.string());
    }
}

// Reads the next piece of the file into the buffer; false at its end.
bool SampleFile::fill() {
    if (eof_) {
        return false;
    }
    begin_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
    if (end_ < buffer_.size()) {
        if (std::ferror(file_.get())) {
            throw SampleFileError(57, "Device I/O error");
        }
        eof_ = true;
    }
    return end_ > 0;
}

bool SampleFile::read_line(std::string& line) {
    line.clear();
    bool any = false;  // a line exists even when it is empty, once it has a character or an end
    for (;;) {
        if (begin_ == end_ && !fill()) {
            return any;
        }
        if (after_cr_) {
            after_cr_ = false;
            if (buffer_[begin_] == '\n') {
                ++begin_;
                continue;
            }
        }
        const char* start = buffer_.data() + begin_;
        const char* stop = buffer_.data() + end_;
        const char* found =
            std::find_if(start, stop, [](char c) { return c == '\n' || c == '\r'; });
        line.append(start, found);
        any = true;
        if (found == stop) {
            begin_ = end_;
            continue;
        }
        after_cr_ = *found == '\r';
        begin_ = static_cast<std::size_t>(found - buffer_.data()) + 1;
        return true;
    }
}

}  // namespace rejections
