#pragma once

#include <functional>
#include <string>

namespace sintegra {
class Runner;
struct ProgramFolders;
} // namespace sintegra

namespace sintegra::app {

// How the window tells the user something outside a run: a message box, UTF-8 text.
using Tell = std::function<void(const std::string&)>;

// Runs what one event of the window does. Nothing may cross the toolkit's event loop: what it throws
// is told to the user in Portuguese instead, and the window goes on. False when it threw.
bool caught(const std::function<void()>& work, const Tell& tell) noexcept;

// The window program: the runner of the program's folders, then show, which makes the window and runs
// it until it closes, returning the program's status. What keeps it from starting is told, with the
// folder's file at fault, and the status is then 1.
int startWindow(const std::function<ProgramFolders()>& folders, const Tell& tell,
                const std::function<int(Runner&)>& show);
// The same in the program's own folders (defaultProgramFolders()).
int startWindow(const Tell& tell, const std::function<int(Runner&)>& show);

} // namespace sintegra::app
