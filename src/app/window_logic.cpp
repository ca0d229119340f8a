#include "app/window_logic.hpp"

#include <filesystem>
#include <utility>

#include "app/window_view.hpp"
#include "files/hidden_folder.hpp"
#include "files/path_text.hpp"
#include "files/same_file.hpp"
#include "run/runner.hpp"
#include "words/messages.hpp"
#include "words/phase_labels.hpp"
#include "words/window_texts.hpp"

namespace sintegra::app {
namespace {

// A phase of one step has nothing to count: it shows as busy until the next one begins.
ProgressDisplay displayOf(const Progress& progress) {
    std::string phase(phaseLabel(progress.phase));
    if (progress.total <= 1) {
        return {std::move(phase), std::nullopt};
    }
    return {std::move(phase), static_cast<int>(progress.done * 100 / progress.total)};
}

} // namespace

WindowLogic::WindowLogic(Runner& runner, WindowView& view)
    : runner_(runner)
    , view_(view) {}

WindowLogic::~WindowLogic() = default;

void WindowLogic::load() {
    view_.setCaption(PathRow::First, first_);
    view_.setCaption(PathRow::Second, second_);
    view_.setModeChecked(Mode::Analyse);
    selectMode(Mode::Analyse);
}

void WindowLogic::selectMode(Mode mode) {
    if (run_) {
        return;
    }
    mode_ = mode;
    const bool join = mode == Mode::Join;
    view_.showControl(Control::Label2, join);
    view_.showControl(Control::TxtFile1, join);
    view_.showControl(Control::BtnLocalizar1, join);
    view_.setTitle(join ? texts::kJoinTitle : texts::kAnalyseTitle);
}

// A cancelled choice forgets the earlier one: the caption is all there is.
void WindowLogic::chooseFile(PathRow row) {
    if (run_) {
        return;
    }
    std::string path = view_.chooseFile(dialogFolder_);
    if (!path.empty()) {
        takeFile(row, std::move(path));
        return;
    }
    setCaption(row, {});
    view_.showMessage(texts::kChooseAFile, {}, {});
}

bool WindowLogic::acceptsDrop(PathRow row, const std::vector<std::string>& files) const {
    std::error_code error;
    return !run_ && (row == PathRow::First || mode_ == Mode::Join) && files.size() == 1 &&
           std::filesystem::is_regular_file(pathFromText(files.front()), error);
}

bool WindowLogic::dropFiles(PathRow row, const std::vector<std::string>& files) {
    if (!acceptsDrop(row, files)) {
        return false;
    }
    takeFile(row, files.front());
    return true;
}

// The request is read once here: the controls that would change it stay locked until the run ends.
void WindowLogic::analisar() {
    if (run_) {
        return;
    }
    if (mode_ == Mode::Join && namesSameFile(first_, second_) && !view_.ask(texts::kSameFilesQuestion)) {
        return;
    }
    const RunRequest request{mode_, first_, mode_ == Mode::Join ? second_ : std::string(), true};
    start([&runner = runner_, request](ProgressSink& sink) { return runRequest(runner, request, sink); });
}

void WindowLogic::verificar() {
    if (run_) {
        return;
    }
    if (first_.empty() || first_ == ".") {
        view_.showMessage(messages::kNoFileSelected, {}, {});
        return;
    }
    start([path = first_](ProgressSink& sink) { return runVerification(path, sink); });
}

void WindowLogic::start(RunJob job) {
    if (run_) {
        return;
    }
    RunWindow& window = *this;
    // Locked once the thread is there: a thread that does not start leaves the window as it was.
    run_ = std::make_unique<RunWorker>(view_, window, std::move(job));
    setRunLocked(true);
}

bool WindowLogic::closeRequested() {
    if (!run_) {
        return true;
    }
    if (asking_ || closeWhenStopped_) {
        return false;
    }
    asking_ = true;
    const bool stop = view_.ask(texts::kStopRunQuestion);
    asking_ = false;
    if (ended_) {
        // The run ended while the question was open: there is nothing left to stop.
        showRunEnd();
    } else if (stop) {
        closeWhenStopped_ = true;
        run_->cancel();
    }
    return false;
}

void WindowLogic::runProgressed(const Progress& progress) {
    view_.setProgress(displayOf(progress));
}

void WindowLogic::runEnded() {
    ended_ = true;
    if (asking_) {
        // closeRequested shows the end once the question has gone.
        view_.withdrawQuestion();
        return;
    }
    showRunEnd();
}

// The next dialog opens where this file is. Paths are UTF-8 text, on Windows too.
void WindowLogic::takeFile(PathRow row, std::string path) {
    const std::filesystem::path folder = pathFromText(path).parent_path();
    dialogFolder_ = dialogMayOpenIn(folder) ? pathText(folder) : std::string();
    setCaption(row, std::move(path));
}

// Neither a hidden folder nor the program's, which for an installed copy is both: hidden under AppData.
bool WindowLogic::dialogMayOpenIn(const std::filesystem::path& folder) const {
    if (inHiddenFolder(folder)) {
        return false;
    }
    std::error_code error;
    for (std::filesystem::path at = folder;; at = at.parent_path()) {
        if (std::filesystem::equivalent(at, runner_.programFolder(), error)) {
            return false;
        }
        if (at == at.parent_path()) {
            return true;
        }
    }
}

void WindowLogic::setCaption(PathRow row, std::string text) {
    view_.setCaption(row, text);
    (row == PathRow::First ? first_ : second_) = std::move(text);
}

void WindowLogic::setRunLocked(bool locked) {
    for (const Control control :
         {Control::BtnProc, Control::BtnLocalizar, Control::BtnLocalizar1, Control::BtnVerificar,
          Control::OptAnalisarSintegra, Control::OptJuntarSintegra}) {
        view_.enableControl(control, !locked);
    }
}

// The bar is cleared first: no phase stands behind the message that ends the run.
void WindowLogic::showRunEnd() {
    const RunOutcome outcome = run_->finish();
    run_.reset();
    ended_ = false;
    view_.setProgress({});
    if (std::exchange(closeWhenStopped_, false)) {
        // Stopped too late: the files have changed, and the user must not think otherwise.
        if (outcome.kind == RunOutcome::Kind::Completed) {
            view_.showMessage(outcome.message, outcome.findings.get(), {});
        }
        view_.closeWindow();
        return;
    }
    if (outcome.kind == RunOutcome::Kind::NoFileSelected) {
        // Nothing was locked for a run without a file: the window is back as it was first.
        setRunLocked(false);
        view_.showMessage(outcome.message, {}, {});
    } else {
        if (outcome.kind == RunOutcome::Kind::Verified) {
            view_.showFindings(*outcome.findings);
        } else if (outcome.kind != RunOutcome::Kind::Cancelled) {
            view_.showMessage(outcome.message, outcome.findings.get(), outcome.joined);
        }
        setRunLocked(false);
    }
    // Not on "Sair", where a locked "Analisar" sent it: one Enter too many would close the program.
    view_.focus(Control::BtnProc);
}

} // namespace sintegra::app
