#pragma once
// Killing a program under test at chosen moments of its run, and the harsh
// conditions a write path must survive: a file system that fills up, a file
// size limit, a user without write permission. For the kill tests of the
// programs' write paths and the test-only drivers that run their jobs.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "process.h"

namespace testsupport {

// The preload library that kills its process right after a rename whose
// target ends with $KILL_AFTER_RENAME_TO (set both in a ProcessSpec's env).
std::string kill_after_rename_library();

// The environment of a child: what the test has (PATH, the locale), with
// `extra` on top.
std::map<std::string, std::string> child_environment(
    const std::map<std::string, std::string>& extra = {});

// Runs the program to its end and says how long it took.
struct TimedRun {
    ProcessResult result;
    double seconds = 0;
};
TimedRun timed_run(const ProcessSpec& command);

// Starts the program, sends it SIGKILL after `seconds` unless it ended
// before, and returns its status (128 + 9 when the kill ended it).
int killed_after(const ProcessSpec& command, double seconds);

// A digest of text fed piece by piece (FNV-1a, 64 bits): the state of a
// database compared before and after runs without holding it all.
class Digest {
public:
    void add(std::string_view text);
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 1469598103934665603ull;
};

// A fresh folder on a file system of its own of `bytes` (tmpfs), when this
// process may mount one (root); mounted() says whether it is. Unmounted and
// removed at the end.
class SmallFileSystem {
public:
    explicit SmallFileSystem(std::size_t bytes);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool mounted() const { return mounted_; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    bool mounted_ = false;
};

// For the test-only drivers: takes the leading options off the command
// line and applies them to this process:
//   --file-size-limit BYTES  no file may grow past BYTES (writes fail, no signal);
//   --as-nobody              when run as root, go on as the user nobody, so
//                            that file permissions hold.
// Returns the remaining arguments.
std::vector<std::string> apply_driver_options(int argc, char** argv);

}  // namespace testsupport
