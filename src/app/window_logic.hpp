#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/run_worker.hpp"

namespace sintegra {
class Runner;
}

namespace sintegra::app {

class WindowView;
enum class PathRow;

// What the window does, whatever toolkit draws it: the two modes, the chosen files and the runs
// started with "Analisar". It lives on the window's thread, where its view calls it from events.
// The captions of the path rows are its own: "." before any choice and the empty text after a
// cancelled one both name no file. During a run every click and drop but "Sair" is ignored, as its
// locked controls would have it.
class WindowLogic : private RunWindow {
public:
    WindowLogic(Runner& runner, WindowView& view);
    // Stops a run still under way and waits for it.
    ~WindowLogic();
    WindowLogic(const WindowLogic&) = delete;
    WindowLogic& operator=(const WindowLogic&) = delete;

    // The load step, before the window is shown: analyse mode.
    void load();
    // A click on a mode's option button.
    void selectMode(Mode mode);
    // A click on a row's "...": the open-file dialog, in the folder of the last file chosen or
    // dropped; where the system opens it before any, and instead of a hidden folder or the program's.
    void chooseFile(PathRow row);
    // Files dragged over a row are taken as the dialog would take them: one existing file.
    bool acceptsDrop(PathRow row, const std::vector<std::string>& files) const;
    // True when the files were taken.
    bool dropFiles(PathRow row, const std::vector<std::string>& files);
    // A click on "Analisar". A join of a file with itself asks first. Throws when the system will not
    // start the run's thread.
    void analisar();
    // A click on "Verificar": checks the first row's file, read-only, and shows what it found.
    void verificar();
    // True when the window may close now. During a run it asks whether to stop the run, and the
    // window closes once the run has stopped; a run that ends first takes the question back.
    bool closeRequested();

private:
    void runProgressed(const Progress& progress) override;
    void runEnded() override;

    void start(RunJob job);
    bool dialogMayOpenIn(const std::filesystem::path& folder) const;
    void takeFile(PathRow row, std::string path);
    void setCaption(PathRow row, std::string text);
    void setRunLocked(bool locked);
    void showRunEnd();

    Runner& runner_;
    WindowView& view_;
    Mode mode_ = Mode::Analyse;
    std::string first_ = ".";
    std::string second_ = ".";
    std::string dialogFolder_; // empty: the system's choice
    std::unique_ptr<RunWorker> run_;
    bool asking_ = false; // whether to stop the run
    bool ended_ = false;  // the run's thread is over; its end is not shown yet
    bool closeWhenStopped_ = false;
};

} // namespace sintegra::app
