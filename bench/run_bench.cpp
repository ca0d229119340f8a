// Whole-run benchmark: analyse, verify and join synthetic files of N lines with sintegra-orv-cli, next to a
// baseline measured in the same run: inserting the same lines into an SQLite table with one prepared
// statement in one transaction, with SQLite's default settings ("tuned": with the staging store's
// scratch settings). Each measurement is a process of its own, so that its peak memory is its own.
// Usage: run_bench [LINES...]   (default 1000000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

#include "synthetic_sintegra.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Measure {
    double seconds = 0;
    double peakMiB = 0;
};

// Runs a program to its end; its exit status must be one of okStatuses.
Measure measure(std::vector<std::string> argv, std::initializer_list<int> okStatuses = {0}) {
    std::vector<char*> pointers;
    for (std::string& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, pointers[0], &quiet, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) ||
        std::find(okStatuses.begin(), okStatuses.end(), WEXITSTATUS(status)) == okStatuses.end()) {
        throw std::runtime_error(argv[0] + " failed");
    }
    return {std::chrono::duration<double>(end - start).count(),
            static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// The baseline: read the lines and insert each into one table, one statement, one transaction.
// Plain SQLite settings, or with tuned the scratch settings of the staging store.
int insertBaseline(const std::string& input, const std::string& database, bool tuned) {
    fs::remove(database);
    SQLite::Database db(database, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    if (tuned) {
        db.exec("PRAGMA journal_mode = TRUNCATE");
        db.exec("PRAGMA synchronous = OFF");
    }
    db.exec("CREATE TABLE lines (Registro BLOB NOT NULL)");
    SQLite::Statement insert(db, "INSERT INTO lines (Registro) VALUES (?)");
    SQLite::Transaction transaction(db);
    std::FILE* file = std::fopen(input.c_str(), "rb");
    std::vector<char> line(1 << 16);
    while (std::fgets(line.data(), static_cast<int>(line.size()), file) != nullptr) {
        std::size_t size = std::strlen(line.data());
        while (size > 0 && (line[size - 1] == '\n' || line[size - 1] == '\r')) {
            --size;
        }
        insert.bindNoCopy(1, line.data(), static_cast<int>(size));
        insert.exec();
        insert.reset();
    }
    std::fclose(file);
    transaction.commit();
    return 0;
}

void report(const char* name, std::uint64_t lines, const Measure& run, const Measure& baseline) {
    std::printf("%10llu  %-9s %8.2f s %10.0f lines/s %8.1f MiB %7.2fx baseline\n",
                static_cast<unsigned long long>(lines), name, run.seconds,
                static_cast<double>(lines) / run.seconds, run.peakMiB, run.seconds / baseline.seconds);
}

void benchmark(const std::string& self, std::uint64_t lines, const fs::path& work) {
    const fs::path input = work / "input.txt";
    sintegra::bench::writeSyntheticSintegra(input.string(), lines);
    const fs::path folder = work / "program";
    fs::create_directories(folder);
    fs::copy_file(ORV_TEMPLATE_FILE, folder / "Sintegra.mod", fs::copy_options::overwrite_existing);

    const std::string database = (work / "baseline.db").string();
    const Measure baseline = measure({self, "--baseline", input.string(), database});
    report("baseline", lines, baseline, baseline);
    report("tuned", lines, measure({self, "--baseline-tuned", input.string(), database}), baseline);

    const fs::path analysed = work / "analyse.txt";
    fs::copy_file(input, analysed, fs::copy_options::overwrite_existing);
    report("analyse", lines,
           measure({ORV_CLI_PROGRAM, "analisar", analysed.string(), "--pasta", folder.string(), "-q"}),
           baseline);

    // Verifying reads the same lines and must take no longer than analysing them; the synthetic
    // lines are random digits, so it finds errors on nearly every line (exit status 3).
    report("verify", lines, measure({ORV_CLI_PROGRAM, "verificar", input.string()}, {0, 3}), baseline);

    const fs::path joined = work / "join.txt";
    fs::copy_file(input, joined, fs::copy_options::overwrite_existing);
    report("join", 2 * lines,
           measure({ORV_CLI_PROGRAM, "juntar", joined.string(), input.string(), "--pasta", folder.string(),
                    "-q"}),
           baseline);
    std::fflush(stdout);
    fs::remove_all(folder);
    fs::remove(input);
    fs::remove(analysed);
    fs::remove(joined);
    fs::remove(work / "baseline.db");
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]).starts_with("--baseline")) {
        return insertBaseline(argv[2], argv[3], std::string(argv[1]) == "--baseline-tuned");
    }
    std::vector<std::uint64_t> sizes;
    for (int i = 1; i < argc; ++i) {
        sizes.push_back(std::stoull(argv[i]));
    }
    if (sizes.empty()) {
        sizes.push_back(1'000'000);
    }
    const fs::path self = fs::read_symlink("/proc/self/exe");
    const fs::path work = fs::temp_directory_path() / ("orv-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    std::printf("%10s  %-9s %10s %18s %12s %16s\n", "lines", "run", "time", "throughput", "peak memory",
                "vs baseline");
    for (const std::uint64_t lines : sizes) {
        benchmark(self.string(), lines, work);
    }
    fs::remove_all(work);
    return 0;
}
