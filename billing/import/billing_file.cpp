#include "billing_file.h"

#include <algorithm>
#include <array>

namespace billing {

namespace {

constexpr std::size_t kChunkSize = 1 << 16;

// The words that begin the exchange's header and trailer lines.
constexpr std::array<std::string_view, 7> kSkippedWords = {"FIL", "BAN", "END", "EOT",
                                                           "CON", "ORD", "EX-"};

}  // namespace

std::string quita_esp(std::string texto) {
    std::erase(texto, ' ');
    return texto;
}

bool isDataLine(std::string_view line) {
    if (line.empty()) {
        return false;
    }
    const auto first = static_cast<unsigned char>(line.front());
    if (first > 'F' || first == '<') {
        return false;
    }
    const std::string_view word = line.substr(0, 3);
    return std::find(kSkippedWords.begin(), kSkippedWords.end(), word) == kSkippedWords.end();
}

BillingFile::BillingFile(const std::filesystem::path& path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return;
    }
    file_.reset(std::fopen(path.c_str(), "rb"));
    if (file_) {
        chunk_.resize(kChunkSize);
    }
}

std::optional<std::string_view> BillingFile::lee_lin() {
    if (!file_) {
        return std::nullopt;
    }
    while (readLine(line_)) {
        line_ = quita_esp(std::move(line_));
        if (isDataLine(line_)) {
            return std::string_view(line_);
        }
    }
    return std::nullopt;
}

// Reads the next line without its line end; false when the file has no
// more lines. A last line without a line end counts as a line.
bool BillingFile::readLine(std::string& line) {
    line.clear();
    bool started = false;
    for (;;) {
        if (chunkPos_ == chunkEnd_ && !fill()) {
            return started;
        }
        if (afterCr_) {
            afterCr_ = false;
            if (chunk_[chunkPos_] == '\n') {
                ++chunkPos_;
                continue;
            }
        }
        started = true;
        const char* begin = chunk_.data() + chunkPos_;
        const char* end = chunk_.data() + chunkEnd_;
        const char* stop = std::find_if(begin, end, [](char c) { return c == '\n' || c == '\r'; });
        line.append(begin, stop);
        chunkPos_ += stop - begin;
        if (stop != end) {
            afterCr_ = *stop == '\r';
            ++chunkPos_;
            return true;
        }
    }
}

bool BillingFile::fill() {
    chunkPos_ = 0;
    chunkEnd_ = std::fread(chunk_.data(), 1, chunk_.size(), file_.get());
    if (chunkEnd_ == 0 && std::ferror(file_.get())) {
        readFailed_ = true;
    }
    return chunkEnd_ > 0;
}

}  // namespace billing
