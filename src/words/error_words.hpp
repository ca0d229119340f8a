#pragma once

#include <exception>
#include <string>

#include "errors/error.hpp"

namespace sintegra {

// What failed, in the user's words: a sentence made from the kind and the data of the Error, and one
// more for each file that had been replaced already.
std::string errorSentence(const Error& error);

// The sentence, ending with "Nenhum arquivo foi alterado." where every user file is as it was: how every
// front end tells of a failed run or start.
std::string errorWords(const Error& error);

// errorWords(errorOf(failure)).
std::string inUsersWords(const std::exception_ptr& failure);

} // namespace sintegra
