#include "capture_output.h"

#include <cstdio>
#include <stdexcept>

#include <unistd.h>

namespace testsupport {
namespace {

// Points the descriptor of `stream` at a temporary file while `run` runs.
std::string capture(std::FILE* stream, const std::function<void()>& run) {
    std::fflush(stream);
    const int fd = fileno(stream);
    const int saved = dup(fd);
    std::FILE* into = std::tmpfile();
    if (saved < 0 || !into)
        throw std::runtime_error("cannot capture output");
    dup2(fileno(into), fd);
    run();
    std::fflush(stream);
    dup2(saved, fd);
    close(saved);

    std::string text;
    std::rewind(into);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, into)) > 0;)
        text.append(buffer, n);
    std::fclose(into);
    return text;
}

}  // namespace

std::string capture_stdout(const std::function<void()>& run) {
    return capture(stdout, run);
}
std::string capture_stderr(const std::function<void()>& run) {
    return capture(stderr, run);
}

}  // namespace testsupport
