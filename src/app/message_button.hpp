#pragma once

namespace sintegra::app {

// The button that closed a message: OK, or one of the two it offers after a run.
enum class MessageButton { Ok, Details, Folder };

} // namespace sintegra::app
