#include "process.h"

#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {
namespace {

struct CStrings {
    std::vector<std::string> storage;
    std::vector<char*> pointers;
    void finish() {
        for (auto& s : storage)
            pointers.push_back(s.data());
        pointers.push_back(nullptr);
    }
};

CStrings argv_of(const ProcessSpec& command) {
    CStrings argv;
    argv.storage.push_back(command.program);
    argv.storage.insert(argv.storage.end(), command.args.begin(), command.args.end());
    argv.finish();
    return argv;
}

CStrings envp_of(const ProcessSpec& command) {
    CStrings envp;
    for (const auto& [name, value] : command.env)
        envp.storage.push_back(name + "=" + value);
    envp.finish();
    return envp;
}

// In the child: set up the descriptors and replace the process image.
[[noreturn]] void exec_child(const ProcessSpec& command, CStrings& argv, CStrings& envp, int in_fd,
                             int out_fd, int err_fd) {
    dup2(in_fd, 0);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    for (int fd = 3; fd < 1024; ++fd)
        close(fd);
    if (!command.cwd.empty() && chdir(command.cwd.c_str()) != 0)
        _exit(126);
    // execvpe looks the name up on the child's PATH, or the default path.
    execvpe(command.program.c_str(), argv.pointers.data(), envp.pointers.data());
    _exit(127);
}

int decode_status(int raw) {
    if (WIFEXITED(raw))
        return WEXITSTATUS(raw);
    if (WIFSIGNALED(raw))
        return 128 + WTERMSIG(raw);
    return -1;
}

}  // namespace

ProcessResult run_process(const ProcessSpec& command) {
    int in_pipe[2], out_pipe[2], err_pipe[2];
    if (pipe2(in_pipe, O_CLOEXEC) || pipe2(out_pipe, O_CLOEXEC) || pipe2(err_pipe, O_CLOEXEC))
        throw std::runtime_error("pipe failed");
    auto argv = argv_of(command);
    auto envp = envp_of(command);
    pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0)
        exec_child(command, argv, envp, in_pipe[0], out_pipe[1], err_pipe[1]);
    close(in_pipe[0]);
    close(out_pipe[1]);
    close(err_pipe[1]);

    // Feed standard input and drain both outputs together, so that no pipe
    // fills up while the child waits on another.
    signal(SIGPIPE, SIG_IGN);
    ProcessResult result;
    size_t written = 0;
    int in_fd = in_pipe[1];
    if (command.input.empty()) {
        close(in_fd);
        in_fd = -1;
    }
    int out_fd = out_pipe[0], err_fd = err_pipe[0];
    while (out_fd >= 0 || err_fd >= 0) {
        pollfd fds[3] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}, {in_fd, POLLOUT, 0}};
        if (poll(fds, 3, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        char buffer[65536];
        auto drain = [&](int& fd, short revents, std::string& into) {
            if (fd < 0 || !(revents & (POLLIN | POLLHUP | POLLERR)))
                return;
            ssize_t n = read(fd, buffer, sizeof buffer);
            if (n > 0) {
                into.append(buffer, static_cast<size_t>(n));
            } else {
                close(fd);
                fd = -1;
            }
        };
        drain(out_fd, fds[0].revents, result.out);
        drain(err_fd, fds[1].revents, result.err);
        if (in_fd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t n =
                write(in_fd, command.input.data() + written, command.input.size() - written);
            if (n > 0)
                written += static_cast<size_t>(n);
            if (n <= 0 || written == command.input.size()) {
                close(in_fd);
                in_fd = -1;
            }
        }
    }
    if (in_fd >= 0)
        close(in_fd);
    int raw = 0;
    waitpid(pid, &raw, 0);
    result.status = decode_status(raw);
    return result;
}

pid_t start_process(const ProcessSpec& command, const std::string& out_file,
                    const std::string& err_file) {
    auto open_output = [](const std::string& name) {
        return open(name.empty() ? "/dev/null" : name.c_str(),
                    O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    };
    int in_fd = open("/dev/null", O_RDONLY | O_CLOEXEC);
    int out_fd = open_output(out_file);
    int err_fd = open_output(err_file);
    auto argv = argv_of(command);
    auto envp = envp_of(command);
    pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0)
        exec_child(command, argv, envp, in_fd, out_fd, err_fd);
    close(in_fd);
    close(out_fd);
    close(err_fd);
    return pid;
}

void stop_process(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

std::string program_path(const std::string& name) {
    return std::string(PROGRAM_DIR) + "/" + name;
}

}  // namespace testsupport
