#include "support/process.hpp"

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

#include "support/files.hpp"
#include "support/temp_folder.hpp"

extern char** environ;

namespace sintegra::test {
namespace {

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (std::string& text : strings) {
        result.push_back(text.data());
    }
    result.push_back(nullptr);
    return result;
}

} // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv) {
    TempFolder capture;
    const std::string outFile = capture.file("out");
    const std::string errFile = capture.file("err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);

    std::vector<std::string> arguments = argv;
    std::vector<std::string> environment = extraEnv;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        environment.emplace_back(*variable);
    }
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, arguments.front().c_str(), &actions, nullptr,
                                    pointers(arguments).data(), pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " + arguments.front());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ProcessResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = readFile(outFile);
    result.err = readFile(errFile);
    return result;
}

ProcessResult runCli(const std::vector<std::string>& arguments, const std::vector<std::string>& extraEnv) {
    std::vector<std::string> argv{ORV_CLI_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return runProcess(argv, extraEnv);
}

} // namespace sintegra::test
