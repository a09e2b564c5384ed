#pragma once
// What a piece of code writes to standard output or standard error, caught
// at the file descriptor, for tests of C-style code that prints.

#include <functional>
#include <string>

namespace testsupport {

std::string capture_stdout(const std::function<void()>& run);
std::string capture_stderr(const std::function<void()>& run);

}  // namespace testsupport
