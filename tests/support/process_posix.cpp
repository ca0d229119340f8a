#include "support/process.hpp"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/files.hpp"

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

ProcessResult waitFor(pid_t pid) {
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error("wait4 failed");
        }
    }
    ProcessResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.peakKib = usage.ru_maxrss;
    return result;
}

// The kernel carries the parent's peak resident memory over into the child's: it is brought down
// to what this process holds now, so that the child's peak is its own unless this process is larger.
void resetPeakMemory() {
    std::FILE* file = std::fopen("/proc/self/clear_refs", "w");
    if (file != nullptr) {
        std::fputs("5", file);
        std::fclose(file);
    }
}

} // namespace

Process::Process(const std::vector<std::string>& argv) {
    resetPeakMemory();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const std::string outFile = capture_.file("out");
    const std::string errFile = capture_.file("err");
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);

    std::vector<std::string> arguments = argv;
    pid_t pid = -1;
    const int spawned =
        posix_spawn(&pid, arguments.front().c_str(), &actions, nullptr, pointers(arguments).data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " + arguments.front());
    }
    id_ = pid;
}

Process::~Process() {
    if (id_ > 0) {
        kill();
        ::waitpid(static_cast<pid_t>(id_), nullptr, 0);
    }
}

void Process::interrupt(int signal) {
    ::kill(static_cast<pid_t>(id_), signal);
}

void Process::kill() {
    ::kill(static_cast<pid_t>(id_), SIGKILL);
}

bool Process::pause() {
    ::kill(static_cast<pid_t>(id_), SIGSTOP);
    int status = 0;
    if (::waitpid(static_cast<pid_t>(id_), &status, WUNTRACED) == id_ && WIFSTOPPED(status)) {
        return true;
    }
    id_ = -1;
    return false;
}

void Process::resume() {
    ::kill(static_cast<pid_t>(id_), SIGCONT);
}

ProcessResult Process::wait() {
    if (id_ < 0) {
        throw std::logic_error("the program was waited for already");
    }
    ProcessResult result = waitFor(static_cast<pid_t>(id_));
    id_ = -1;
    result.out = readFile(capture_.file("out"));
    result.err = readFile(capture_.file("err"));
    return result;
}

} // namespace sintegra::test
