#include "support/process.hpp"

#include <windows.h>
#include <stdexcept>
// After windows.h, which it needs.
#include <psapi.h>

#include "files/wide_text.hpp"
#include "support/files.hpp"

namespace sintegra::test {
namespace {

// Quoted so that the program's C runtime splits it back as it was: backslashes are doubled only
// before a quote, or before the closing one.
std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    std::wstring line = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        line += c;
        backslashes = 0;
    }
    line.append(2 * backslashes, L'\\');
    return line + L'"';
}

HANDLE inheritable(const std::string& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE file = CreateFileW(widen(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                    disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open " + path);
    }
    return file;
}

HANDLE handleOf(std::intptr_t id) {
    return reinterpret_cast<HANDLE>(id);
}

// Holds or lets go every thread of the process: ntdll's NtSuspendProcess or NtResumeProcess.
void callNt(const char* name, std::intptr_t process) {
    using Call = LONG(WINAPI*)(HANDLE);
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name);
    if (found == nullptr || reinterpret_cast<Call>(reinterpret_cast<void*>(found))(handleOf(process)) != 0) {
        throw std::runtime_error(std::string(name) + " failed");
    }
}

// The Ctrl-C that this process sends to a program's console reaches this process too.
BOOL WINAPI swallowControlC(DWORD event) {
    return event == CTRL_C_EVENT;
}

} // namespace

// Each program gets a console of its own, hidden, so that interrupt() can send it Ctrl-C; its
// standard streams are files all the same.
Process::Process(const std::vector<std::string>& argv) {
    std::wstring commandLine;
    for (const std::string& argument : argv) {
        commandLine += (commandLine.empty() ? L"" : L" ") + quoted(widen(argument));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = inheritable(capture_.file("out"), GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = inheritable(capture_.file("err"), GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION started{};
    const BOOL created = CreateProcessW(widen(argv.front()).c_str(), commandLine.data(), nullptr, nullptr,
                                        TRUE, CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &started);
    for (const HANDLE stream : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        CloseHandle(stream);
    }
    if (!created) {
        throw std::runtime_error("cannot start " + argv.front());
    }
    CloseHandle(started.hThread);
    id_ = reinterpret_cast<std::intptr_t>(started.hProcess);
}

Process::~Process() {
    if (id_ != -1) {
        kill();
        WaitForSingleObject(handleOf(id_), INFINITE);
        CloseHandle(handleOf(id_));
    }
}

void Process::interrupt(int) {
    static const BOOL swallowing = SetConsoleCtrlHandler(swallowControlC, TRUE);
    (void)swallowing;
    FreeConsole();
    if (!AttachConsole(GetProcessId(handleOf(id_))) || !GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) {
        throw std::runtime_error("cannot send Ctrl-C");
    }
    FreeConsole();
}

void Process::kill() {
    TerminateProcess(handleOf(id_), 128 + 9);
}

bool Process::pause() {
    if (WaitForSingleObject(handleOf(id_), 0) == WAIT_OBJECT_0) {
        return false;
    }
    callNt("NtSuspendProcess", id_);
    return true;
}

void Process::resume() {
    callNt("NtResumeProcess", id_);
}

ProcessResult Process::wait() {
    if (id_ == -1) {
        throw std::logic_error("the program was waited for already");
    }
    const HANDLE process = handleOf(id_);
    WaitForSingleObject(process, INFINITE);
    ProcessResult result;
    DWORD status = 0;
    GetExitCodeProcess(process, &status);
    result.status = static_cast<int>(status);
    PROCESS_MEMORY_COUNTERS memory{};
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) {
        result.peakKib = static_cast<long>(memory.PeakWorkingSetSize / 1024);
    }
    CloseHandle(process);
    id_ = -1;
    result.out = readFile(capture_.file("out"));
    result.err = readFile(capture_.file("err"));
    return result;
}

} // namespace sintegra::test
