#include "support/transcript.hpp"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>

#include <gtest/gtest.h>

#include "files/path_text.hpp"
#include "support/process.hpp"

namespace sintegra::test {
namespace {

namespace fs = std::filesystem;

// What stands for each folder of the test, the longest first: a name stands for no other's start.
std::vector<std::pair<std::string, std::string>>& names() {
    static std::vector<std::pair<std::string, std::string>> folders = {
        {ORV_TEST_DATA, "<dados>"}, {pathText(fs::path(ORV_CLI_PROGRAM).parent_path()), "<programa>"}};
    return folders;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The time that names a copy, " (AAAA-MM-DD HH-MM-SS)", and its number in that second, " (N)".
std::string withoutStamps(const std::string& text) {
    static const std::regex stamp(R"( \(\d{4}-\d\d-\d\d \d\d-\d\d-\d\d\)( \([^)]*\))?)");
    return std::regex_replace(text, stamp, " (<hora>)");
}

// A JSON string doubles the backslash.
std::string portable(std::string text) {
    text = replaced(replaced(std::move(text), "\\\\", "/"), "\\", "/");
    for (const auto& [folder, name] : names()) {
        text = replaced(std::move(text), folder, name);
    }
    return withoutStamps(std::move(text));
}

// FNV-1a, the same on every system.
std::string digest(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::uint64_t hash = 14695981039346656037ull;
    for (std::istreambuf_iterator<char> byte(in), end; byte != end; ++byte) {
        hash = (hash ^ static_cast<unsigned char>(*byte)) * 1099511628211ull;
    }
    return std::to_string(fs::file_size(file)) + " bytes, " + std::to_string(hash);
}

// A file's bytes, or a folder's files with theirs; the program's own files, the staging store and
// the lock, vary with the system and the moment.
std::vector<std::string> contents(const fs::path& path) {
    std::vector<std::string> lines;
    if (fs::is_regular_file(path)) {
        lines.push_back(portable(pathText(path)) + ": " + digest(path));
    }
    for (const fs::directory_entry& entry : fs::is_directory(path) ? fs::recursive_directory_iterator(path)
                                                                   : fs::recursive_directory_iterator()) {
        const std::string file = pathText(entry.path().filename());
        if (!file.starts_with("Sintegra.m") && file != "Sintegra.lck") {
            const std::string name = portable(pathText(entry.path()));
            lines.push_back(name + (entry.is_regular_file() ? ": " + digest(entry.path()) : ""));
        }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

void nameInTranscript(const fs::path& folder) {
    static int named = 0;
    names().emplace_back(portable(pathText(folder)), "<" + std::to_string(++named) + ">");
    std::stable_sort(names().begin(), names().end(),
                     [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
}

void recordRun(const std::vector<std::string>& arguments, const ProcessResult& result) {
    if (std::getenv("ORV_TRANSCRIPT") == nullptr) {
        return;
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path file =
        fs::path(ORV_TRANSCRIPTS) / (std::string(test->test_suite_name()) + "." + test->name() + ".txt");
    static fs::path started; // each test's file is written afresh by its first run
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | (file == started ? std::ios::app : std::ios::trunc));
    started = file;
    out << "$";
    for (const std::string& argument : arguments) {
        out << " [" << portable(argument) << "]";
    }
    out << "\nstatus " << result.status << "\nstdout:\n"
        << portable(result.out) << "\nstderr:\n"
        << portable(result.err) << "\nfiles:\n";
    for (const std::string& argument : arguments) {
        for (const std::string& line : contents(pathFromText(argument))) {
            out << line << "\n";
        }
    }
    out << "\n";
}

} // namespace sintegra::test
