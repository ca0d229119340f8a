#pragma once

#include <filesystem>
#include <functional>
#include <vector>

namespace sintegra {

class AtomicFile;
class CopyFolder;

struct ReplacedFile {
    std::filesystem::path target;
    std::filesystem::path copy; // of its old bytes; empty when none was kept
};

// Puts prepared files in their targets' places, in order. The old bytes of every target that holds
// a file are first kept in copies, unless it is null; a copy that cannot be made fails the whole
// before anything is replaced. When a file cannot be put in place, the targets replaced before it
// get their old bytes back and the copies go, so that a failure leaves every target as it was; when
// that cannot be done, the Error thrown lists each target was replaced and where its copy is.
// lastCheck runs once the copies are made, just before the first replace: what it throws leaves every
// target as it was. Returns what was replaced, with its copy.
std::vector<ReplacedFile> replaceAll(const std::vector<AtomicFile*>& files, CopyFolder* copies,
                                     const std::function<void()>& lastCheck);

} // namespace sintegra
