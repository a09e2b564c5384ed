#pragma once
// Running a program as a user or a web server would: arguments, environment,
// working directory and standard input in; standard output, standard error
// and the exit status out.

#include <map>
#include <string>
#include <vector>

#include <sys/types.h>

namespace testsupport {

struct ProcessSpec {
    std::string program;                     // absolute path or a name found on PATH
    std::vector<std::string> args;           // without the program name
    std::map<std::string, std::string> env;  // the child's whole environment
    std::string input;                       // written to standard input, then closed
    std::string cwd;                         // empty: the test's own directory
};

struct ProcessResult {
    std::string out;
    std::string err;
    int status = -1;  // exit status; 128 + signal number when killed
};

// Runs the program to its end. Throws std::runtime_error when it can't start.
ProcessResult run_process(const ProcessSpec& command);

// Starts the program in the background, its output sent to the given files
// ("" for /dev/null). Returns its process id.
pid_t start_process(const ProcessSpec& command, const std::string& out_file = "",
                    const std::string& err_file = "");

// Ends a background process: SIGTERM, then SIGKILL after a grace period.
void stop_process(pid_t pid);

// The path of a program built into build/bin.
std::string program_path(const std::string& name);

}  // namespace testsupport
