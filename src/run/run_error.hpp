#pragma once

#include <exception>
#include <stdexcept>

namespace sintegra {

// A run or a start-up that could not be completed. The message is for the user: it says what
// failed, on which file and, where one applies, on which line.
class RunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How a run or a start-up failed, as the front ends show it: the message ends with "Nenhum arquivo
// foi alterado." where every user file is as it was.
class RunFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Any failure of a run or a start-up in the user's words: memory exhausted, a thread the system would
// not start and any other exception end a run the same way in every front end.
RunFailure inUsersWords(const std::exception_ptr& failure);

} // namespace sintegra
