#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

#include <array>
#include <fstream>
#include <map>
#include <optional>

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include "errors/error.hpp"
#include "files/injected_fault.hpp"
#include "files/input_file.hpp"
#include "files/path_text.hpp"
#include "files/system_error.hpp"
#include "run/runner.hpp"
#include "support/files.hpp"
#include "support/scripted_host.hpp"
#include "support/temp_folder.hpp"
#include "words/summary_text.hpp"

namespace sintegra {
namespace {

using enum ErrorKind;

using test::crlfJoined;
using test::readFile;
using test::record;
using test::writeFile;

std::string product(std::string_view code, std::string_view rest) {
    return "75" + std::string(16, '2') + std::string(code) + std::string(rest);
}

std::string subRecordMg() {
    std::string line = record("88SP03", 100);
    line.replace(42, 2, "MG");
    return line;
}

// An analyse run of this file gives kAnalysed; a byte above 127 comes back as it was.
const std::string kFirst = "10AA\xc9\r\n11BBB\n50,one\r" + product("00000000000120", "x") +
                           "\r\n51kept\r\n60D20130302\r\n60M20130301\r\n" + product("00000000000120", "y") +
                           "\r\n" + subRecordMg() + "\r\n90" + std::string(40, '9') + "\r\n\x1a";

std::string fittedMg() {
    std::string line = record(subRecordMg(), 144);
    line[130] = '0';
    line[143] = '0';
    return line;
}

std::string totals(std::string_view pairs) {
    std::string line = record("90" + std::string(28, '9') + std::string(pairs));
    line.back() = '1';
    return line;
}

const std::string kNormalizedFirst =
    crlfJoined({record("10AA\xc9"), record("11BBB"), record("50 one"), record(product("00000000000120", "x")),
                record("51kept"), record("60D20130302"), record("60M20130301"),
                record(product("00000000000120", "y")), fittedMg(), record("90" + std::string(40, '9'))});

const std::string kAnalysed =
    crlfJoined({record("10AA\xc9"), record("11BBB"), record("50 one"), record("51kept"),
                record("60M20130301"), record("60D20130302"), record(product("00000000000120", "y")),
                fittedMg(), totals("500000000151000000016000000002750000000188000000019900000009")});

// A failure as its kind, its cause in words, the first file that it left replaced and, last, its file.
std::string failed(ErrorKind kind, const std::string& file, const std::string& cause = "",
                   const std::string& replaced = "") {
    return std::to_string(static_cast<int>(kind)) + "|" + cause + "|" + replaced + "|" + file;
}

std::string failureOf(Runner& runner, test::ScriptedHost& host) {
    try {
        runner.run(host.request(), host);
    } catch (const Error& error) {
        const std::string cause = error.cause ? systemCause(error.cause) : "";
        return failed(error.kind, error.file, cause, error.replaced.empty() ? "" : error.replaced[0].file);
    }
    return "no failure";
}

class RunnerTest : public ::testing::Test {
protected:
    void expectNoTemps() {
        EXPECT_EQ(test::leftoverTemps({work.path(), folder.path()}), std::vector<std::string>{});
    }

    std::string failure() { return failureOf(runner, host); }

    test::ProgramFolder folder;
    test::TempFolder work;
    Runner runner{folder.path()};
    test::ScriptedHost host;
};

// A second file named in analyse mode is not even opened.
TEST_F(RunnerTest, analyseReplacesTheFileWithItsCleanedRegroupedForm) {
    host.first = work.write("a.txt", kFirst);
    host.second = work.file("absent.txt");
    const RunResult result = runner.run(host.request(), host);
    ASSERT_EQ(result.status, RunStatus::Completed);
    EXPECT_EQ(readFile(host.first), kAnalysed);
    EXPECT_EQ(result.summary.outputPath, host.first);
    expectNoTemps();
}

// The summary names what the repair did that the user may not expect, and ends with what verifying
// the files found.
TEST_F(RunnerTest, theSummaryNamesTheRepairsAndTheFindings) {
    const std::string tenA = "10" + std::string(14, '1');
    const std::string a = work.file("a.txt"), b = work.file("b.txt");
    struct Case {
        Mode mode;
        std::string first;
        std::string second; // the first file's path: the same file twice
        std::vector<std::string> says;
    };
    const Case cases[] = {
        {Mode::Analyse,
         kFirst,
         "50second", // not read
         {"Linhas lidas:\n  " + a + ": 10\nRegistros", "  tipo 51: 1\n",
          "  total: 9\nLinhas descartadas: 0\n",
          "Linhas de " + a +
              " com a largura ajustada: 10\n  linha 1: 5 caracteres, completada com espaços até 126\n",
          "  ... e mais 5.\n", "removidos: 1\n  código \"00000000000120\": 1 removido, fica o último lido\n",
          "\nVerificação dos arquivos como foram lidos:\n  " + a + ": ", "\nVerificação do arquivo gravado: ",
          // Padding the short lines finds nothing that their blanks did not show before.
          "nenhuma verificação encontra mais problemas no arquivo gravado",
          "Mudanças nos bytes de " + a +
              ":\n  vírgula ou NUL trocado por espaço: linha 3\n  Ctrl-Z deixado de fora: no fim do "
              "arquivo\n"}},
        // A byte-order mark, a Tab before a code, a product's comma, a Ctrl-Z within a line and a
        // product written in UTF-8 two bytes too wide for its width: not one of them loses a record.
        {Mode::Analyse,
         "\xEF\xBB\xBF" + record(tenA) + "\r\n\t" + record("60D20130302") + "\r\n \t" +
             record(product("7891000100103", "SUCO UVA 1,5L")) + "\r\n" +
             record("60D2013\x1a"
                    "0302") +
             "\r\n" + record(product("7891000100104", "CAF\xC3\x89 PIL\xC3\x83O")) + "00\r\n\x1a",
         "",
         {"  tipo 10: 1\n  tipo 60: 2\n  tipo 75: 2\n", "Linhas descartadas: 0\n",
          "  linha 5: 128 caracteres, 2 bytes a menos com o texto UTF-8 convertido\n",
          "Mudanças nos bytes de " + a +
              ":\n  marca de ordem de bytes (BOM) do UTF-8 deixada de fora do início\n"
              "  espaços ou tabulações antes do código deixados de fora: linhas 2, 3\n"
              "  vírgula ou NUL trocado por espaço: linha 3\n  Ctrl-Z deixado de fora: linha 4 e no fim do "
              "arquivo\n"
              "  texto UTF-8 gravado em Windows-1252: linha 5\n"}},
        {Mode::Analyse,
         "  " + record(tenA, 130) +
             "\r\n99\r\n99\r\n99\r\n99\r\n99\r\n99\r\n60D20130302\r\n60D20130302\r\n60D20130302"
             "\r\n60D20130302\r\n60D20130302\r\n60D20130302\r\n\xC7\x01\r\n60D20130302",
         "",
         {"  linha 1: 132 caracteres, sem 2 espaços ou tabulações do início, cortada em 126\n",
          "  código \"99\": 6\n    " + a + ": linhas 2, 3, 4, 5, 6 e mais 1\n",
          "  código \"\xC3\x87\\x01\": 1\n"}},
        {Mode::Join,
         tenA + "\r\n60D20130302",
         "\xEF\xBB\xBF"
         "10" +
             std::string(14, '2') + "\r\n 60D20130302\x1a\r\n\t60D20130302\x1a",
         {"  " + b + ": 3\n", "  tipo 60: 3\n", "[aviso] juntar-cnpj-ie - ", ", juntar-cnpj-ie 1.\n",
          "Mudanças nos bytes lidos de " + b +
              " (o arquivo fica como está):\n  marca de ordem de bytes (BOM) do UTF-8 deixada de fora do "
              "início\n  espaços ou tabulações antes do código deixados de fora: linhas 2, 3\n  Ctrl-Z "
              "deixado de fora: linha 2 e no fim do arquivo\n"}},
        {Mode::Join, tenA + "\r\n60D20130302", a, {"  " + a + ": o mesmo arquivo que o primeiro\n"}},
    };
    for (const Case& c : cases) {
        host.runMode = c.mode;
        host.first = work.write("a.txt", c.first);
        host.second = c.second == a ? a : work.write("b.txt", c.second);
        const std::string summary = formatSummary(runner.run(host.request(), host).summary);
        for (const std::string& said : c.says) {
            EXPECT_NE(summary.find(said), std::string::npos) << said << "\nin:\n" << summary;
        }
    }
}

TEST_F(RunnerTest, joinMergesBothFilesIntoSintegraTxtInTheProgramFolder) {
    const auto code = [](char letter) { return std::string(13, '0') + letter; };
    host.runMode = Mode::Join;
    host.first =
        work.write("a.txt", "10first\r\n" + product(code('A'), "1") + "\r\n" + product(code('B'), "1") +
                                "\r\n" + product(code('C'), "1") + "\r\n50first");
    const std::string raw50 = std::string("50se,c\0nd", 9);
    const std::string tenB = "10" + std::string(14, '2');
    const std::string led50 = "50" + std::string(14, '3'), after50 = "50" + std::string(14, '4');
    const std::string second = tenB + "\r\n" + raw50 + "\r\n" + product(code('B'), "2") + "\n" +
                               product(code('D'), "2") + "\r\n \t" + led50 + "\r\n\x1a" + after50 + "\x1a";
    host.second = work.write("b.txt", second);
    const RunResult result = runner.run(host.request(), host);
    const std::string output = (folder.path() / "sintegra.txt").string();
    EXPECT_EQ(result.summary.outputPath, output);
    EXPECT_EQ(readFile(host.second), second);
    EXPECT_EQ(readFile(host.first),
              crlfJoined({record("10first"), record(product(code('A'), "1")), record(product(code('B'), "1")),
                          record(product(code('C'), "1")), record("50first")}));
    EXPECT_EQ(
        test::crlfLines(readFile(output)),
        (std::vector<std::string>{
            tenB, record("50first"), raw50, led50, after50, record(product(code('A'), "1")),
            record(product(code('C'), "1")), product(code('B'), "2"), product(code('D'), "2"),
            record("90" + std::string(14, '2') + std::string(14, ' ') + "500000000475000000049900000010")
                .replace(125, 1, "1")}));
    EXPECT_TRUE(inOrderText(result.summary).empty());

    // Joined again: the first file is in order now and stays as it is; the join is written anew.
    const std::optional<FileStamp> first = stampOf(host.first);
    std::filesystem::remove(output);
    const RunResult again = runner.run(host.request(), host);
    EXPECT_EQ(stampOf(host.first), first);
    EXPECT_TRUE(std::filesystem::exists(output));
    EXPECT_EQ(inOrderText(again.summary), "O primeiro arquivo já estava em ordem: não foi alterado.");
    expectNoTemps();
}

// Whatever names it: the same path, another spelling of its folder, a hard link. The file has no
// type 10, 11 or 90 line: the output starts with what there is, and a second run changes nothing.
TEST_F(RunnerTest, readsTheSameFileTwiceAsNormalizedWhenBothRowsNameIt) {
    host.runMode = Mode::Join;
    host.first = work.file("a.txt");
    std::filesystem::create_directory(work.path() / "sub");
    const std::filesystem::path link = work.path() / "ligado.txt";
    for (const std::filesystem::path& second :
         {std::filesystem::path(host.first), work.path() / "sub" / ".." / "a.txt", link}) {
        writeFile(host.first, "50,1111111111111x\n" + product("A", ""));
        std::filesystem::remove(link);
        std::filesystem::create_hard_link(host.first, link);
        host.second = second.string();
        runner.run(host.request(), host);
        EXPECT_EQ(
            test::crlfLines(readFile(folder.path() / "sintegra.txt")),
            (std::vector<std::string>{
                record("50 1111111111111x"), record("50 1111111111111x"), record(product("A", "")),
                record("90" + std::string(28, ' ') + "500000000275000000019900000004").replace(125, 1, "1")}))
            << host.second;
    }
    const std::string joined = readFile(folder.path() / "sintegra.txt");
    host.runMode = Mode::Analyse;
    host.first = (folder.path() / "sintegra.txt").string();
    const std::optional<FileStamp> before = stampOf(host.first);
    const RunResult again = runner.run(host.request(), host);
    EXPECT_EQ(readFile(host.first), joined);
    EXPECT_EQ(stampOf(host.first), before);
    EXPECT_TRUE(again.summary.copies.empty());
    EXPECT_EQ(inOrderText(again.summary), "O arquivo já estava em ordem: nada foi alterado.");
}

// A first file changed by another program once the run has opened it fails the run, whether it is
// read again or not.
TEST_F(RunnerTest, aFirstFileChangedDuringTheRunFailsIt) {
    struct Case {
        Mode mode;
        bool sameSecond;
        Phase changeFileIn;
    };
    const std::string joined = (folder.path() / "sintegra.txt").string();
    host.first = work.file("a.txt");
    const std::string changed = failed(ChangedMeanwhile, host.first) + "|" + kFirst + "50changed|no output";
    for (const Case c : {Case{Mode::Join, false, Phase::RemovingDuplicates},
                         {Mode::Join, true, Phase::LoadingSecond},
                         {Mode::Analyse, false, Phase::Saving},
                         {Mode::Join, false, Phase::Assembling}}) {
        writeFile(host.first, kFirst);
        host.second = c.sameSecond ? host.first : "";
        host.runMode = c.mode;
        host.onProgress = [&](const Progress& progress) {
            if (progress.phase == c.changeFileIn && progress.done == 0) {
                writeFile(host.first, kFirst + "50changed");
            }
            return true;
        };
        const std::string failedRun = failure();
        EXPECT_EQ(failedRun + "|" + readFile(host.first) + "|" +
                      (std::filesystem::exists(joined) ? readFile(joined) : "no output"),
                  changed);
    }
    expectNoTemps();
}

// "." is the caption of a row before any choice.
TEST(RunnerStore, aRunWithoutAFileEmptiesTheTables) {
    test::ProgramFolder folder;
    test::TempFolder work;
    test::ScriptedHost host;
    {
        Runner runner(folder.path());
        host.first = work.write("a.txt", test::cnpjRecord("50", "\r\n60M20130101"));
        runner.run(host.request(), host);
        for (const std::string none : {"", "."}) {
            host.first = none;
            EXPECT_EQ(runner.run(host.request(), host).status, RunStatus::NoFileSelected);
        }
    }
    SQLite::Database db((folder.path() / "Sintegra.mdb").string());
    EXPECT_EQ(db.execAndGet("SELECT COUNT(*) FROM REG50").getInt(), 0);
    EXPECT_EQ(db.execAndGet("SELECT COUNT(*) FROM REG60").getInt(), 0);
}

TEST_F(RunnerTest, cancelledRunsLeaveEveryFileAsItWas) {
    host.runMode = Mode::Join;
    host.first = work.write("a.txt", kFirst);
    host.second = work.write("b.txt", kFirst);
    writeFile(folder.path() / "sintegra.txt", "old output");
    runner.run(host.request(), host);
    const std::vector<Phase> phases = host.phases;
    writeFile(host.first, kFirst);
    writeFile(folder.path() / "sintegra.txt", "old output");
    for (const Phase stop : phases) {
        host.onProgress = [stop](const Progress& progress) { return progress.phase != stop; };
        EXPECT_EQ(runner.run(host.request(), host).status, RunStatus::Cancelled);
        EXPECT_EQ(readFile(host.first), kFirst);
        EXPECT_EQ(readFile(folder.path() / "sintegra.txt"), "old output");
        expectNoTemps();
    }
    EXPECT_EQ(phases.size(), 6u);
}

TEST_F(RunnerTest, failsWithoutTouchingAnythingWhenTheSecondFileIsGoneOrChanged) {
    host.runMode = Mode::Join;
    host.first = work.write("a.txt", kFirst);
    host.second = work.file("gone.txt");
    EXPECT_EQ(failure(), failed(CannotOpen, host.second, "o arquivo ou a pasta não existe"));
    EXPECT_EQ(readFile(host.first), kFirst);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "sintegra.txt"));
    expectNoTemps();

    host.second = work.path().string();
    EXPECT_EQ(failure(), failed(CannotOpen, host.second, "o caminho é uma pasta, não um arquivo"));

    // Chosen, then gone while the first file is read.
    host.second = work.write("b.txt", kFirst);
    host.onProgress = [this](const Progress& progress) {
        if (progress.phase == Phase::Normalizing) {
            std::filesystem::remove(host.second);
        }
        return true;
    };
    EXPECT_EQ(failure(), failed(CannotOpen, host.second, "o arquivo ou a pasta não existe"));
    EXPECT_EQ(readFile(host.first), kFirst);
    expectNoTemps();

    // Chosen, read, then written to by another program before the join is saved.
    host.second = work.write("b.txt", kFirst);
    host.onProgress = [this](const Progress& progress) {
        if (progress.phase == Phase::Saving) {
            std::ofstream(host.second, std::ios::binary | std::ios::app) << "50more";
        }
        return true;
    };
    EXPECT_EQ(failure(), failed(ChangedMeanwhile, host.second));
    EXPECT_EQ(readFile(host.first), kFirst);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "sintegra.txt"));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "Copias"));
    expectNoTemps();
}

// A file without write permission is read-only on Windows.
TEST_F(RunnerTest, refusesReadOnlyFiles) {
    host.first = work.write("a.txt", kFirst);
    namespace fs = std::filesystem;
    fs::permissions(host.first, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(failure(), failed(FileWriteProtected, host.first, "permissão negada"));
    fs::permissions(host.first, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(readFile(host.first), kFirst);
}

// Faults injected where files are written, flushed to disk and put in place, on the first file, the
// join's output and the copies: no temporary file and no copy stays, and the message says whether
// every file is as it was. It is, but for the first file of a join without copies, which cannot
// get its old bytes back when the output then cannot be put in place.
TEST_F(RunnerTest, aFileThatCannotBeWrittenFlushedOrPutInPlace) {
    struct Fault {
        Mode mode;
        FileOperation operation;
        std::string target;
        std::error_code error;
        ErrorKind kind;
        std::string file; // the start of its name, for a copy
        std::string cause;
        bool copies = true;
    };
    const std::string first = work.file("a.txt");
    const std::string joined = (folder.path() / "sintegra.txt").string();
    const std::string copies = (folder.path() / "Copias").string();
    const auto errc = [](std::errc error) { return std::make_error_code(error); };
    const std::string full = "não há espaço livre no disco";
    const std::string device = "erro de leitura ou gravação no dispositivo";
    const std::vector<Fault> faults = {
        {Mode::Analyse, FileOperation::Write, first, errc(std::errc::no_space_on_device), CannotWrite, first,
         full},
        {Mode::Join, FileOperation::Write, joined, errc(std::errc::file_too_large), CannotWrite, joined,
         "o arquivo passou do tamanho máximo permitido"},
        {Mode::Join, FileOperation::Flush, first, errc(std::errc::io_error), CannotWrite, first, device},
        // A file with a second name is copied to Copias, not linked there.
        {Mode::Analyse, FileOperation::Write, copies, errc(std::errc::no_space_on_device), CannotWrite,
         (folder.path() / "Copias" / "a (").string(), full},
        {Mode::Join, FileOperation::Replace, first, errc(std::errc::permission_denied), CannotReplace, first,
         "permissão negada"},
        {Mode::Join, FileOperation::Replace, joined, errc(std::errc::read_only_file_system), CannotReplace,
         joined, "o disco está protegido contra gravação"},
        {Mode::Join, FileOperation::Replace, joined, errc(std::errc::io_error), CannotReplace, joined, device,
         false},
#ifdef _WIN32
        // As Windows's calls give them, in the same words.
        {Mode::Analyse, FileOperation::Write, first,
         std::error_code(ERROR_HANDLE_DISK_FULL, std::system_category()), CannotWrite, first, full},
        {Mode::Join, FileOperation::Flush, joined, std::error_code(ERROR_DISK_FULL, std::system_category()),
         CannotWrite, joined, full},
#endif
    };
    const std::string secondName = work.file("outro nome.txt");
    for (const Fault& fault : faults) {
        std::filesystem::remove(secondName);
        writeFile(first, kFirst);
        if (fault.target == copies) {
            std::filesystem::create_hard_link(first, secondName);
        }
        writeFile(joined, "old output");
        host.first = first;
        host.second = fault.mode == Mode::Join ? work.write("b.txt", kFirst) : "";
        host.runMode = fault.mode;
        host.copies = fault.copies;
        const InjectedFault injected(fault.operation, fault.target, fault.error);
        const std::string said = failure();
        EXPECT_TRUE(said.starts_with(failed(fault.kind, fault.file, fault.cause, fault.copies ? "" : first)))
            << said;
        EXPECT_EQ(readFile(first), fault.copies ? kFirst : kNormalizedFirst);
        EXPECT_EQ(readFile(joined), "old output");
        EXPECT_TRUE(!std::filesystem::exists(copies) || std::filesystem::is_empty(copies));
        expectNoTemps();
    }
}

#ifndef _WIN32
// A file's extended attributes, ACLs among them, by name.
std::map<std::string, std::string> attributesOf(const std::string& file) {
    std::map<std::string, std::string> attributes;
    std::string names(4096, '\0');
    names.resize(
        static_cast<std::size_t>(std::max<ssize_t>(0, ::listxattr(file.c_str(), names.data(), 4096))));
    for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        std::string value(4096, '\0');
        const char* name = names.c_str() + at;
        value.resize(static_cast<std::size_t>(::getxattr(file.c_str(), name, value.data(), value.size())));
        attributes[name] = value;
    }
    return attributes;
}

// An ACL as the system keeps it, which grants the owner rw, the group and user r, others nothing: a
// version, then each entry's tag, permissions and id, in little-endian order.
std::string aclAlsoReadBy(std::uint32_t user) {
    const auto little = [](std::uint32_t value, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i) {
            text += static_cast<char>((value >> (8 * i)) & 0xff);
        }
        return text;
    };
    constexpr std::uint32_t none = 0xffffffff;
    const std::array<std::array<std::uint32_t, 3>, 5> entries = {
        {{0x01, 6, none}, {0x02, 4, user}, {0x04, 4, none}, {0x10, 4, none}, {0x20, 0, none}}};
    std::string acl = little(2, 4);
    for (const auto& [tag, permissions, id] : entries) {
        acl += little(tag, 2) + little(permissions, 2) + little(id, 4);
    }
    return acl;
}

mode_t modeOf(const std::filesystem::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// POSIX only: the write permission of a folder, the mode, ACL and extended attributes of a file, and
// symbolic links, which Wine does not make. The link is relative, to a file of another folder. No file
// that the run writes is ever more open than the file it replaces, or than the most private input
// of a join; the store and the copies are the user's alone.
TEST_F(RunnerTest, refusesAReadOnlyFolderKeepsWhoMayReadAndReplacesTheTargetOfALink) {
    const std::string target = work.write("real.txt", kFirst);
    ::chmod(target.c_str(), 0640);
    const std::string acl = aclAlsoReadBy(65534);
    ASSERT_EQ(::setxattr(target.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0), 0);
    ASSERT_EQ(::setxattr(target.c_str(), "user.origem", "ERP", 3, 0), 0);
    const std::map<std::string, std::string> attributes = attributesOf(target);
    std::filesystem::create_directory(work.path() / "atalhos com espaço");
    host.first = work.file("atalhos com espaço/primeiro arquivo.txt");
    std::filesystem::create_symlink("../real.txt", host.first);
    ::chmod(work.path().c_str(), 0555);
    EXPECT_EQ(failure(), failed(FolderWriteProtected, work.path().string(), "permissão negada"));
    ::chmod(work.path().c_str(), 0755);
    std::vector<mode_t> tempModes;
    host.onProgress = [&](const Progress& progress) {
        if (progress.phase == Phase::Saving && progress.done == 0) {
            for (const std::string& temp : test::leftoverTemps({work.path()})) {
                tempModes.push_back(modeOf(temp));
                EXPECT_EQ(attributesOf(temp), attributes);
            }
        }
        return true;
    };
    runner.run(host.request(), host);
    EXPECT_TRUE(std::filesystem::is_symlink(host.first));
    EXPECT_EQ(readFile(target), kAnalysed);
    EXPECT_EQ(tempModes, std::vector<mode_t>{0640});
    EXPECT_EQ(modeOf(target), 0640u);
    EXPECT_EQ(attributesOf(target), attributes);

    host.second = work.write("b.txt", kFirst);
    ::chmod(host.second.c_str(), 0604);
    host.runMode = Mode::Join;
    runner.run(host.request(), host);
    EXPECT_EQ(modeOf(folder.path() / "sintegra.txt"), 0600u);
    EXPECT_EQ(modeOf(folder.path() / "Sintegra.mdb"), 0600u);
    EXPECT_EQ(modeOf(folder.path() / "Copias"), 0700u);
}
#else
// Windows only: files that other programs hold open, with the sharing that they allow. A file is
// read whatever the holder writes, but replaced only when nothing holds it.
TEST_F(RunnerTest, filesThatAnotherProgramHoldsOpen) {
    struct Held {
        Mode mode;
        std::string file;
        DWORD sharing;
        ErrorKind kind;
    };
    const std::string first = work.file("a.txt");
    const std::string second = work.file("b.txt");
    const std::string joined = (folder.path() / "sintegra.txt").string();
    const std::filesystem::path copies = folder.path() / "Copias";
    const std::vector<Held> held = {
        {Mode::Join, second, 0, CannotOpen},
        {Mode::Analyse, first, FILE_SHARE_READ | FILE_SHARE_WRITE, CannotReplace},
        {Mode::Join, first, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, CannotReplace},
        {Mode::Join, joined, FILE_SHARE_READ, CannotReplace},
    };
    for (const Held& row : held) {
        writeFile(first, kFirst);
        writeFile(second, kFirst);
        writeFile(joined, "old output");
        host.first = first;
        host.second = row.mode == Mode::Join ? second : "";
        host.runMode = row.mode;
        const HANDLE holder = CreateFileW(pathFromText(row.file).c_str(), GENERIC_READ, row.sharing, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        EXPECT_EQ(failure(), failed(row.kind, row.file, "o arquivo está em uso por outro programa"));
        CloseHandle(holder);
        EXPECT_EQ(readFile(first), kFirst);
        EXPECT_EQ(readFile(joined), "old output");
        EXPECT_TRUE(!std::filesystem::exists(copies) || std::filesystem::is_empty(copies));
        expectNoTemps();
    }
}

// Windows only: the attributes of a file, which it keeps as a file on POSIX keeps its mode.
TEST_F(RunnerTest, keepsTheAttributesOfTheReplacedFile) {
    host.first = work.write("a.txt", kFirst);
    const std::filesystem::path file = pathFromText(host.first);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
    runner.run(host.request(), host);
    EXPECT_EQ(readFile(file), kAnalysed);
    EXPECT_EQ(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, DWORD{FILE_ATTRIBUTE_HIDDEN});
}
#endif

} // namespace
} // namespace sintegra
