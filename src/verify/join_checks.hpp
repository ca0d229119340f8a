#pragma once

#include "verify/file_header.hpp"
#include "verify/finding.hpp"

namespace sintegra::verify {

// What joining two files into one hides: the joined file keeps the second file's type 10 record, so
// a different informant or a period that overlaps the first's or leaves days out of both goes
// unnoticed. Findings point at the second file's type 10 record.
void checkJoin(const FileHeader& first, const FileHeader& second, FindingSink& sink);

} // namespace sintegra::verify
