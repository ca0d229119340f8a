#include "support/process.hpp"

#include "support/transcript.hpp"

namespace sintegra::test {

ProcessResult runProcess(const std::vector<std::string>& argv) {
    return Process(argv).wait();
}

std::vector<std::string> cliCommand(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{ORV_CLI_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
}

ProcessResult runCli(const std::vector<std::string>& arguments) {
    ProcessResult result = runProcess(cliCommand(arguments));
    recordRun(arguments, result);
    return result;
}

} // namespace sintegra::test
