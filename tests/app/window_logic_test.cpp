#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <stdexcept>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "app/elided_path.hpp"
#include "app/findings_list.hpp"
#include "app/startup.hpp"
#include "app/window_logic.hpp"
#include "app/window_view.hpp"
#include "files/path_text.hpp"
#include "run/runner.hpp"
#include "words/error_words.hpp"
#include "words/messages.hpp"
#include "support/files.hpp"
#include "support/running_copy.hpp"
#include "support/temp_folder.hpp"
#include "words/error_words.hpp"
#include "words/messages.hpp"
#include "words/phase_labels.hpp"

using namespace sintegra;
using namespace sintegra::app;

namespace {

const std::string kSample = std::string(ORV_TEST_DATA) + "/samples/htisistema_SISCOMX_sintegra.txt";

// A view without a toolkit: it keeps what the logic shows, answers the dialogs as the test says,
// and runs posted tasks only while the test pumps them, as an event loop would.
class FakeView : public WindowView {
public:
    std::string captions[2];
    std::map<Control, bool> enabled;
    std::vector<ProgressDisplay> bar;
    std::vector<std::pair<std::string, ProgressDisplay>> messages; // with what the bar showed
    std::vector<std::string> shownFiles;                           // whose folder each message offers
    std::vector<FindingsList> findings;                            // offered or shown
    std::vector<Control> focused;
    std::vector<std::string> folders; // where the open-file dialog opened
    std::string choice;               // the next file chosen; none is a cancel
    std::function<bool()> answer;     // to the question, asked while it is open
    bool withdrawn = false;
    bool closed = false;
    int refusedPosts = 0; // the next posts that fail, as a full event queue fails them

    void setTitle(std::string_view) override {}
    void setModeChecked(Mode) override {}
    void setCaption(PathRow row, std::string_view text) override { captions[static_cast<int>(row)] = text; }
    void showControl(Control, bool) override {}
    void enableControl(Control control, bool on) override { enabled[control] = on; }
    void setProgress(const ProgressDisplay& progress) override { bar.push_back(progress); }
    void focus(Control control) override { focused.push_back(control); }
    void showMessage(std::string_view text, const FindingsList* details, std::string_view file) override {
        messages.push_back({std::string(text), bar.empty() ? ProgressDisplay{} : bar.back()});
        shownFiles.emplace_back(file);
        if (details != nullptr) {
            findings.push_back(*details);
        }
    }
    void showFindings(const FindingsList& list) override { findings.push_back(list); }
    bool ask(std::string_view) override { return answer(); }
    void withdrawQuestion() override { withdrawn = true; }
    std::string chooseFile(const std::string& folder) override {
        folders.push_back(folder);
        return std::exchange(choice, {});
    }
    void closeWindow() override { closed = true; }
    void post(std::function<void()> task) override {
        const std::lock_guard lock(mutex_);
        if (refusedPosts > 0) {
            --refusedPosts;
            throw std::runtime_error("fila de eventos cheia");
        }
        tasks_.push_back(std::move(task));
        posted_.notify_one();
    }

    // Runs posted tasks until done holds, and none after; false when none comes for long.
    bool pumpUntil(const std::function<bool()>& done) {
        std::unique_lock lock(mutex_);
        while (posted_.wait_for(lock, std::chrono::seconds(30), [&] { return done() || !tasks_.empty(); })) {
            if (done()) {
                return true;
            }
            const std::function<void()> task = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
        return false;
    }

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> tasks_;
};

class WindowLogicTest : public ::testing::Test {
protected:
    WindowLogicTest() { logic.load(); }

    std::string chooseSample() {
        const std::string path = user.write("janeiro.txt", test::readFile(kSample));
        view.choice = path;
        logic.chooseFile(PathRow::First);
        return path;
    }
    bool runToEnd() {
        const std::size_t shown = view.messages.size();
        logic.analisar();
        return view.pumpUntil([&] { return view.messages.size() > shown; });
    }

    test::ProgramFolder folder;
    test::TempFolder user;
    Runner runner{folder.path()};
    FakeView view;
    WindowLogic logic{runner, view};
};

} // namespace

TEST_F(WindowLogicTest, AQuestionThatTheRunsEndOvertookGoesAndCutsNoLaterRunShort) {
    const std::string path = chooseSample();
    logic.analisar();
    // The user leaves the question open until the run has ended, then says "Sim".
    view.answer = [&] {
        view.pumpUntil([&] { return view.withdrawn || !view.messages.empty(); });
        return true;
    };
    EXPECT_FALSE(logic.closeRequested());
    EXPECT_TRUE(view.withdrawn);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, messages::completion(path));
    EXPECT_TRUE(view.enabled[Control::BtnProc] && view.enabled[Control::BtnLocalizar]);

    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(view.messages[1].first,
              messages::completion(path) + "\n\nO arquivo já estava em ordem: nada foi alterado.");
    EXPECT_FALSE(view.closed);
}

TEST_F(WindowLogicTest, AStopAskedTooLateClosesOnlyAfterSayingTheFileChanged) {
    const std::string path = chooseSample();
    const std::string before = test::readFile(path);
    logic.analisar();
    ASSERT_TRUE(view.pumpUntil([&] { return test::readFile(path) != before; }));
    view.answer = [] { return true; };
    EXPECT_FALSE(logic.closeRequested());
    ASSERT_TRUE(view.pumpUntil([&] { return view.closed; }));
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, messages::completion(path));
}

// A cancelled choice forgets the earlier one; a run without a file, or one that fails, says so and
// leaves the window as it was.
TEST_F(WindowLogicTest, SaysWhyNoRunTookPlace) {
    chooseSample();
    logic.chooseFile(PathRow::First);
    EXPECT_EQ(view.captions[0], "");
    logic.verificar();
    ASSERT_TRUE(runToEnd());
    const std::string missing = user.file("sumiu.txt");
    view.choice = missing;
    logic.chooseFile(PathRow::First);
    ASSERT_TRUE(runToEnd());
    ASSERT_EQ(view.messages.size(), 4u);
    EXPECT_EQ(view.messages[0].first, "Selecione um arquivo para analise!!!");
    EXPECT_EQ(view.messages[1].first, "Não a nenhum arquivo selecionado para analise!");
    EXPECT_EQ(view.messages[2].first, view.messages[1].first);
    const Error gone(ErrorKind::CannotOpen, missing, make_error_code(std::errc::no_such_file_or_directory));
    EXPECT_EQ(view.messages[3].first, errorWords(gone));
    EXPECT_TRUE(view.findings.empty());
    EXPECT_TRUE(view.enabled[Control::BtnProc] && view.enabled[Control::BtnLocalizar]);
    EXPECT_EQ(view.focused, std::vector<Control>(2, Control::BtnProc));
}

// Checking a file changes nothing and locks what a run locks; it ends in the findings list, with no
// message and no question about a join, and a completed run offers the list of its own. Both end
// with the keyboard on "Analisar".
TEST_F(WindowLogicTest, VerificarReadsTheFileOnlyAndEndsInTheFindingsList) {
    const std::string path = chooseSample();
    const std::string before = test::readFile(path);
    logic.selectMode(Mode::Join);
    logic.dropFiles(PathRow::Second, {path});
    logic.verificar();
    EXPECT_FALSE(view.enabled[Control::BtnVerificar] || view.enabled[Control::BtnProc]);
    ASSERT_TRUE(view.pumpUntil([&] { return !view.findings.empty(); }));
    logic.selectMode(Mode::Analyse);
    EXPECT_EQ(test::readFile(path), before);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.findings[0].counts().at(0), "Verificação de " + path + " (13 linhas)");
    EXPECT_GT(view.findings[0].size(), 0u);
    EXPECT_TRUE(
        std::ranges::count(view.bar, ProgressDisplay{std::string(phaseLabel(Phase::Verifying)), 100}));
    EXPECT_TRUE(view.enabled[Control::BtnVerificar] && view.enabled[Control::BtnProc]);

    ASSERT_TRUE(runToEnd());
    ASSERT_EQ(view.findings.size(), 2u);
    EXPECT_TRUE(view.findings[1].counts().at(0).starts_with("Registros gravados em " + path));
    EXPECT_EQ(view.shownFiles, std::vector<std::string>{""});
    EXPECT_EQ(view.focused, std::vector<Control>(2, Control::BtnProc));
}

// The first refused post fails the run; the post of its end is refused next, and tried again until
// it goes through: the window hears of the end, and is free again.
TEST_F(WindowLogicTest, ARunWhosePostsFailEndsWithAMessageAndFreesTheWindow) {
    chooseSample();
    view.refusedPosts = 3;
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(view.refusedPosts, 0);
    EXPECT_EQ(view.messages.at(0).first,
              "Erro inesperado: fila de eventos cheia. Nenhum arquivo foi alterado.");
    EXPECT_TRUE(view.enabled[Control::BtnProc] && view.enabled[Control::BtnLocalizar]);
}

// The run takes its request when it starts: a mode clicked meanwhile changes neither the run nor
// the window.
TEST_F(WindowLogicTest, AModeClickedDuringARunChangesNothing) {
    const std::string path = chooseSample();
    logic.analisar();
    logic.selectMode(Mode::Join);
    ASSERT_TRUE(view.pumpUntil([&] { return !view.messages.empty(); }));
    EXPECT_EQ(view.messages[0].first, messages::completion(path));
    EXPECT_EQ(view.shownFiles[0], "");
    logic.dropFiles(PathRow::Second, {path});
    EXPECT_EQ(view.captions[1], "."); // the row stayed hidden
}

TEST_F(WindowLogicTest, TheBarShowsAPhaseOnlyWhileItRunsAndAPhaseWithoutStepsAsBusy) {
    chooseSample();
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(view.messages[0].second, ProgressDisplay{});
    const std::string dedup(phaseLabel(Phase::RemovingDuplicates));
    const auto shown = [&](const ProgressDisplay& wanted) {
        return std::ranges::count(view.bar, wanted) > 0;
    };
    EXPECT_TRUE(shown({dedup, std::nullopt}));
    EXPECT_FALSE(shown({dedup, 0}));
    EXPECT_TRUE(shown({std::string(phaseLabel(Phase::Normalizing)), 100}));
}

// Where the system opens it (""): first, and after a file of the program's folder or a hidden one.
TEST_F(WindowLogicTest, TheDialogOpensInTheFolderOfTheLastFileChosenOrDropped) {
    const std::filesystem::path accented = user.path() / u8"março";
    const std::filesystem::path hidden = user.path() / ".oculto";
    std::filesystem::create_directory(accented);
    std::filesystem::create_directory(hidden);
#ifdef _WIN32
    SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
    test::writeFile(accented / "fevereiro.txt", "");
    chooseSample();
    logic.chooseFile(PathRow::First); // cancelled
    logic.dropFiles(PathRow::First, {pathText(accented / "fevereiro.txt")});
    for (const std::filesystem::path& file : {folder.path() / "sintegra.txt", hidden / "abril.txt"}) {
        view.choice = pathText(file);
        logic.chooseFile(PathRow::First);
    }
    logic.chooseFile(PathRow::First);
    const std::vector<std::string> opened = {"", user.path().string(), pathText(accented), "", ""};
    EXPECT_EQ(view.folders, opened);
}

// Asked before the run, whatever spells the path; "Não" starts none.
TEST_F(WindowLogicTest, AJoinOfAFileWithItselfAsksFirst) {
    struct Case {
        Mode mode;
        std::string second;
        bool asked;
        bool answer;
    };
    const std::string first = chooseSample();
    const std::string same = pathText(user.path() / "." / "janeiro.txt");
    const Case cases[] = {
        {Mode::Join, same, true, false},
        {Mode::Join, same, true, true},
        {Mode::Join, user.write("fevereiro.txt", test::readFile(kSample)), false, false},
        {Mode::Analyse, first, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        bool asked = false;
        view.answer = [&] { return asked = true, c.answer; };
        logic.selectMode(Mode::Join);
        logic.dropFiles(PathRow::Second, {c.second});
        logic.selectMode(c.mode);
        if (!c.asked || c.answer) {
            EXPECT_TRUE(runToEnd());
        } else {
            logic.analisar();
            EXPECT_TRUE(logic.closeRequested()); // no run to stop
        }
        EXPECT_EQ(asked, c.asked);
    }
}

// During a run every control that would change its request is locked, and its click does nothing.
TEST_F(WindowLogicTest, ADropOrAChoiceIsTakenAsTheDialogWouldTakeIt) {
    struct Case {
        PathRow row;
        Mode mode;
        bool running;
        std::vector<std::string> dropped;
        bool taken;
    };
    const std::string file = user.write("marco.txt", "");
    const Case cases[] = {
        {PathRow::First, Mode::Analyse, false, {file}, true},
        {PathRow::First, Mode::Analyse, false, {file, file}, false},
        {PathRow::First, Mode::Analyse, false, {user.path().string()}, false},
        {PathRow::First, Mode::Analyse, false, {user.file("sumiu.txt")}, false},
        {PathRow::Second, Mode::Analyse, false, {file}, false}, // the row is hidden
        {PathRow::Second, Mode::Join, false, {file}, true},
        {PathRow::First, Mode::Join, true, {file}, false}, // the run's files stay
        {PathRow::Second, Mode::Join, true, {file}, false},
        {PathRow::First, Mode::Analyse, true, {file}, false},
    };
    const Control locked[] = {
        Control::BtnProc,      Control::BtnLocalizar,        Control::BtnLocalizar1,
        Control::BtnVerificar, Control::OptAnalisarSintegra, Control::OptJuntarSintegra};
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        FakeView shown;
        WindowLogic window(runner, shown);
        window.load();
        window.selectMode(c.mode);
        if (c.running) {
            window.analisar();
            for (const Control control : locked) {
                EXPECT_FALSE(shown.enabled[control]) << static_cast<int>(control);
            }
            window.chooseFile(c.row);
            EXPECT_TRUE(shown.folders.empty()); // no dialog
        }
        EXPECT_EQ(window.acceptsDrop(c.row, c.dropped), c.taken);
        window.dropFiles(c.row, c.dropped);
        EXPECT_EQ(shown.captions[static_cast<int>(c.row)], c.taken ? file : ".");
    }
}

// Measured in bytes here, "…" being three; a cut never splits "ç".
TEST(ElidedPath, KeepsTheBeginningAndTheWholeFileName) {
    const std::tuple<std::string, std::size_t, std::string> cases[] = {
        {"/ç/abcdef/janeiro.txt", 21, "/ç/ab…/janeiro.txt"},
        {"/ç/abcdef/janeiro.txt", 17, "/…/janeiro.txt"},
        {"/ç/abcdef/janeiro.txt", 10, "…/janeiro.txt"},
        {"C:\\dados\\janeiro.txt", 18, "C:\\…\\janeiro.txt"},
    };
    for (const auto& [path, room, shown] : cases) {
        EXPECT_EQ(elidedPath(path, [room](std::string_view text) { return text.size() <= room; }), shown);
    }
}

// The program then ends with status 1 without having touched the folder; a window that opens
// decides the status itself.
TEST(Startup, tellsWhatKeepsTheProgramFromStarting) {
    std::vector<std::string> told;
    const auto tell = [&](const std::string& text) { told.push_back(text); };
    const auto shows = [](int status) { return [status](Runner&) { return status; }; };
    const test::TempFolder empty;
    EXPECT_EQ(startWindow([&] { return programFoldersAt(empty.path()); }, tell, shows(0)), 1);
    EXPECT_EQ(told, std::vector{errorWords(Error(ErrorKind::TemplateMissing, pathText(empty.path())))});

    const test::ProgramFolder folder;
    const auto at = [&] { return programFoldersAt(folder.path()); };
    EXPECT_EQ(startWindow(at, tell, [](Runner&) -> int { throw std::runtime_error("sem janela"); }), 1);
    EXPECT_EQ(told.at(1), "Erro inesperado: sem janela. Nenhum arquivo foi alterado.");
    EXPECT_EQ(startWindow(at, tell, shows(7)), 7); // the folder was let go
    EXPECT_EQ(told.size(), 2u);

    const test::ProgramFolder held;
    const test::TempFolder work;
    test::RunningCopy running(held.path(), work.path());
    EXPECT_EQ(startWindow([&] { return programFoldersAt(held.path()); }, tell, shows(0)), 1);
    EXPECT_EQ(told.at(2), errorWords(Error(ErrorKind::FolderInUse)));
    EXPECT_EQ(running.finish().status, 0);
}
