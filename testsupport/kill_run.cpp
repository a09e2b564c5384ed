#include "kill_run.h"

#include <chrono>
#include <stdexcept>
#include <thread>

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testsupport {

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

std::string kill_after_rename_library() {
    return KILL_AFTER_RENAME_LIBRARY;
}

std::map<std::string, std::string> child_environment(
    const std::map<std::string, std::string>& extra) {
    std::map<std::string, std::string> env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        if (equals != std::string::npos)
            env[text.substr(0, equals)] = text.substr(equals + 1);
    }
    // A sanitized build's runtime must come first; the hook may not.
    env["ASAN_OPTIONS"] = "verify_asan_link_order=0";
    for (const auto& [name, value] : extra)
        env[name] = value;
    return env;
}

TimedRun timed_run(const ProcessSpec& command) {
    const auto start = std::chrono::steady_clock::now();
    TimedRun run;
    run.result = run_process(command);
    run.seconds = seconds_since(start);
    return run;
}

int killed_after(const ProcessSpec& command, double seconds) {
    const pid_t pid = start_process(command);
    const auto start = std::chrono::steady_clock::now();
    int raw = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &raw, WNOHANG);
        if (done == pid)
            break;
        if (seconds_since(start) >= seconds) {
            kill(pid, SIGKILL);
            waitpid(pid, &raw, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    if (WIFEXITED(raw))
        return WEXITSTATUS(raw);
    return WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : -1;
}

void Digest::add(std::string_view text) {
    for (unsigned char c : text) {
        hash_ ^= c;
        hash_ *= 1099511628211ull;
    }
    hash_ ^= 0xff;  // the end of a piece counts
    hash_ *= 1099511628211ull;
}

SmallFileSystem::SmallFileSystem(std::size_t bytes) {
    std::string pattern = (std::filesystem::temp_directory_path() / "small-fs-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("can't make a temporary folder");
    path_ = pattern;
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
    mounted_ = geteuid() == 0 &&
               mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
}

SmallFileSystem::~SmallFileSystem() {
    if (mounted_)
        umount2(path_.c_str(), MNT_DETACH);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> apply_driver_options(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    while (!args.empty()) {
        if (args[0] == "--file-size-limit" && args.size() > 1) {
            signal(SIGXFSZ, SIG_IGN);
            const rlim_t limit = std::stoull(args[1]);
            rlimit current{};
            getrlimit(RLIMIT_FSIZE, &current);
            current.rlim_cur = limit;
            setrlimit(RLIMIT_FSIZE, &current);
            args.erase(args.begin(), args.begin() + 2);
        } else if (args[0] == "--as-nobody") {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                throw std::runtime_error("can't become the user nobody");
            args.erase(args.begin());
        } else {
            break;
        }
    }
    return args;
}

}  // namespace testsupport
