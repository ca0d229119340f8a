// Whole-run benchmark: analyse, verify and join synthetic files of N lines with sintegra-orv-cli,
// with every kind of line end, next to a baseline measured in the same run: inserting the same lines
// into an SQLite table with one prepared statement in one transaction, with SQLite's default
// settings. Analyse and verify are set against the insert of their N lines, join against the insert
// of the 2N lines of its two files. Each measurement is a process of its own, so that its peak memory
// is its own; with --repeat K each is taken K times, in K rounds, and the fastest kept: its ratio to
// the fastest baseline, and the median of the K rounds' ratios, each run set against the baseline of
// its own round (the baseline commits with an fsync, whose time follows the disk's mood: where the two
// disagree, the disk moved one). The processor time (user and system, of every thread) is reported
// too: on a shared machine it varies less.
// Usage: run_bench [--repeat K] [LINES...]   (default 1000000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
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
    double cpuSeconds = 0; // user and system, every thread
    double peakMiB = 0;
};

double seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// Runs a program to its end; its exit status must be one of okStatuses.
Measure measure(std::vector<std::string> argv, const std::vector<int>& okStatuses) {
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
            seconds(usage.ru_utime) + seconds(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// The baseline: read the lines of the files and insert each into one table, one statement, one
// transaction, SQLite's default settings.
int insertBaseline(const std::string& database, const std::vector<std::string>& inputs) {
    fs::remove(database);
    SQLite::Database db(database, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec("CREATE TABLE lines (Registro BLOB NOT NULL)");
    SQLite::Statement insert(db, "INSERT INTO lines (Registro) VALUES (?)");
    SQLite::Transaction transaction(db);
    std::vector<char> line(1 << 16);
    for (const std::string& input : inputs) {
        std::FILE* file = std::fopen(input.c_str(), "rb");
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
    }
    transaction.commit();
    return 0;
}

struct LineEnds {
    const char* name;
    std::vector<std::string> ends; // taken in turn, line after line
};

const std::vector<LineEnds> kLineEnds = {
    {"CR LF", {"\r\n"}}, {"LF", {"\n"}}, {"CR", {"\r"}}, {"mixed", {"\r\n", "\n", "\r"}}};

// The generated file, whose lines end in CR LF, with other line ends.
void rewriteLineEnds(const fs::path& from, const fs::path& to, const LineEnds& ends) {
    std::FILE* in = std::fopen(from.c_str(), "rb");
    std::FILE* out = std::fopen(to.c_str(), "wb");
    std::vector<char> line(1 << 16);
    for (std::size_t i = 0; std::fgets(line.data(), static_cast<int>(line.size()), in) != nullptr; ++i) {
        const std::size_t size = std::strlen(line.data()) - 2;
        const std::string& end = ends.ends[i % ends.ends.size()];
        std::fwrite(line.data(), 1, size, out);
        std::fwrite(end.data(), 1, end.size(), out);
    }
    std::fclose(in);
    if (std::fclose(out) != 0) {
        throw std::runtime_error("cannot write " + to.string());
    }
}

// One line of the table: a command, what it is set against, and each of its runs.
struct Item {
    std::uint64_t lines;
    std::string ends;
    std::string name;
    std::vector<std::string> command;
    std::function<void()> prepare;
    std::size_t baseline; // index of the item it is set against
    std::vector<int> okStatuses = {0};
    std::vector<Measure> rounds{};

    // The fastest time and processor time of the runs, and the highest peak memory.
    Measure best() const {
        Measure best{1e300, 1e300, 0};
        for (const Measure& one : rounds) {
            best.seconds = std::min(best.seconds, one.seconds);
            best.cpuSeconds = std::min(best.cpuSeconds, one.cpuSeconds);
            best.peakMiB = std::max(best.peakMiB, one.peakMiB);
        }
        return best;
    }
};

// The median of the rounds' ratios of item's time to its baseline's.
double medianRatio(const Item& item, const Item& baseline) {
    std::vector<double> ratios;
    for (std::size_t round = 0; round < item.rounds.size(); ++round) {
        ratios.push_back(item.rounds[round].seconds / baseline.rounds[round].seconds);
    }
    std::sort(ratios.begin(), ratios.end());
    const std::size_t middle = ratios.size() / 2;
    return ratios.size() % 2 == 1 ? ratios[middle] : (ratios[middle - 1] + ratios[middle]) / 2;
}

void report(const Item& item, const Item& baseline) {
    const Measure best = item.best();
    const Measure base = baseline.best();
    std::printf("%10llu  %-6s %-9s %8.2f s %10.0f lines/s %8.1f MiB %7.2fx %7.2fx %8.2f s %7.2fx\n",
                static_cast<unsigned long long>(item.lines), item.ends.c_str(), item.name.c_str(),
                best.seconds, static_cast<double>(item.lines) / best.seconds, best.peakMiB,
                best.seconds / base.seconds, medianRatio(item, baseline), best.cpuSeconds,
                best.cpuSeconds / base.cpuSeconds);
}

// Every command runs once a round, so that each meets the same load of a shared machine; every run is
// kept, and the report derives the fastest and the medians from them.
void benchmark(const std::string& self, int repeat, std::uint64_t lines, const fs::path& work) {
    const fs::path generated = work / "generated.txt";
    sintegra::synthetic::writeSyntheticSintegra(generated.string(), lines);
    const fs::path folder = work / "program";
    fs::create_directories(folder);
    fs::copy_file(ORV_TEMPLATE_FILE, folder / "Sintegra.mod", fs::copy_options::overwrite_existing);
    const std::string database = (work / "baseline.db").string();
    const fs::path copy = work / "copy.txt";
    // The last round's database goes before the clock starts, as a run's own store goes while it reads.
    const auto noDatabase = [database] { fs::remove(database); };
    std::vector<Item> items = {
        {lines, "", "baseline", {self, "--baseline", database, generated.string()}, noDatabase, 0},
        {2 * lines,
         "",
         "baseline",
         {self, "--baseline", database, generated.string(), generated.string()},
         noDatabase,
         1},
        // Verifying reads the same lines and must take no longer than analysing them; the synthetic
        // lines are random digits, so it finds errors on nearly every line (exit status 3).
        {lines, "", "verify", {ORV_CLI_PROGRAM, "verificar", generated.string()}, [] {}, 0, {0, 3}},
    };
    for (const LineEnds& ends : kLineEnds) {
        const fs::path input = work / ("input " + std::string(ends.name) + ".txt");
        rewriteLineEnds(generated, input, ends);
        // Each run starts from the input and without the copies that earlier rounds kept in Copias:
        // a copy costs a run nothing (a second name of the file replaced), but kept, the copies of
        // every round hold gigabytes of the system's cache, and the writes of later runs slow down.
        const auto fresh = [input, copy, folder] {
            fs::copy_file(input, copy, fs::copy_options::overwrite_existing);
            fs::remove_all(folder / "Copias");
        };
        items.push_back({lines,
                         ends.name,
                         "analyse",
                         {ORV_CLI_PROGRAM, "analisar", copy.string(), "--pasta", folder.string(), "-q"},
                         fresh,
                         0});
        items.push_back(
            {2 * lines,
             ends.name,
             "join",
             {ORV_CLI_PROGRAM, "juntar", copy.string(), input.string(), "--pasta", folder.string(), "-q"},
             fresh,
             1});
    }
    for (int round = 0; round < repeat; ++round) {
        for (Item& item : items) {
            item.prepare();
            // What earlier runs and the preparation left for the system to write back goes to disk
            // now, so that no run pays for another's writes.
            ::sync();
            const Measure one = measure(item.command, item.okStatuses);
            item.rounds.push_back(one);
        }
    }
    for (const Item& item : items) {
        report(item, items[item.baseline]);
    }
    std::fflush(stdout);
    fs::remove_all(folder);
    for (const auto& entry : fs::directory_iterator(work)) {
        fs::remove(entry.path());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "--baseline") {
        return insertBaseline(argv[2], std::vector<std::string>(argv + 3, argv + argc));
    }
    int repeat = 1;
    std::vector<std::uint64_t> sizes;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--repeat" && i + 1 < argc) {
            repeat = std::max(1, std::stoi(argv[++i]));
        } else {
            sizes.push_back(std::stoull(argv[i]));
        }
    }
    if (sizes.empty()) {
        sizes.push_back(1'000'000);
    }
    const fs::path self = fs::read_symlink("/proc/self/exe");
    const fs::path work = fs::temp_directory_path() / ("orv-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    std::printf("%10s  %-6s %-9s %10s %18s %12s %8s %8s %10s %8s\n", "lines", "ends", "run", "time",
                "throughput", "peak memory", "vs base", "median", "cpu", "vs base");
    for (const std::uint64_t lines : sizes) {
        benchmark(self.string(), repeat, lines, work);
    }
    fs::remove_all(work);
    return 0;
}
