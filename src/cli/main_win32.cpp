#include <windows.h>
#include <cstdio>
#include <cwchar>
#include <fcntl.h>
#include <io.h>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.hpp"
#include "files/wide_text.hpp"

namespace {

// The console shows the program's UTF-8 text as text, and gets its own code page back at the end.
class Utf8Console {
public:
    Utf8Console()
        : saved_(GetConsoleOutputCP()) {
        SetConsoleOutputCP(CP_UTF8);
    }
    // What the program wrote reaches the console before its code page changes back.
    ~Utf8Console() {
        std::fflush(nullptr);
        if (saved_ != 0) {
            SetConsoleOutputCP(saved_);
        }
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT saved_;
};

} // namespace

// The arguments come as UTF-16, whatever the code pages, and go on as UTF-8; "/?" asks for help, as
// it does of every Windows command. Standard output and
// error carry bytes as they are, lines ending in "\n" as on every system, so that what the program
// writes is the same everywhere.
extern "C" int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(i > 0 && std::wcscmp(argv[i], L"/?") == 0 ? "--help" : sintegra::narrow(argv[i]));
    }
    std::vector<char*> pointers;
    for (std::string& argument : arguments) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    const Utf8Console console;
    return sintegra::cli::runCommandLine(argc, pointers.data(), std::cout, std::cerr);
}
