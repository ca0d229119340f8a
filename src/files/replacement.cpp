#include "files/replacement.hpp"

#include "errors/error.hpp"
#include "files/atomic_file.hpp"
#include "files/copy_folder.hpp"
#include "files/path_text.hpp"

namespace sintegra {
namespace {

void removeCopies(const std::vector<ReplacedFile>& replaced) noexcept {
    for (const ReplacedFile& file : replaced) {
        std::error_code ignored;
        std::filesystem::remove(file.copy, ignored);
    }
}

// A target that held no file before is empty again when the new one goes.
bool putBack(const ReplacedFile& file, const AtomicFile& replaced, CopyFolder* copies) noexcept {
    try {
        if (!replaced.replacesAFile()) {
            return std::filesystem::remove(replaced.replaced());
        }
        if (copies == nullptr || file.copy.empty()) {
            return false;
        }
        copies->restore(file.copy, replaced.replaced());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

Error undo(Error failure, const std::vector<AtomicFile*>& files, const std::vector<ReplacedFile>& replaced,
           std::size_t failed, CopyFolder* copies) {
    for (std::size_t i = 0; i < failed; ++i) {
        if (!putBack(replaced[i], *files[i], copies)) {
            failure.replaced.push_back({pathText(replaced[i].target), pathText(replaced[i].copy)});
        }
    }
    if (failure.replaced.empty()) {
        removeCopies(replaced);
    }
    return failure;
}

} // namespace

std::vector<ReplacedFile> replaceAll(const std::vector<AtomicFile*>& files, CopyFolder* copies,
                                     const std::function<void()>& lastCheck) {
    std::vector<ReplacedFile> replaced;
    try {
        for (AtomicFile* file : files) {
            file->prepare();
            const bool keep = copies != nullptr && file->replacesAFile();
            replaced.push_back({file->target(), keep ? copies->keep(file->replaced(), file->target()) : ""});
        }
        lastCheck();
    } catch (...) {
        removeCopies(replaced);
        throw;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        try {
            files[i]->commit();
        } catch (const Error& failure) {
            throw undo(failure, files, replaced, i, copies);
        }
    }
    return replaced;
}

} // namespace sintegra
