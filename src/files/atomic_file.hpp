#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>
#include <vector>

namespace sintegra {

class TempRegistry;

// A user's file is replaced where its links lead. A file of the program's own folder must be a
// regular file or be missing: a link planted in its place is refused, not followed, and so is
// anything else that is not a regular file (Error NotRegularFile).
enum class TargetKind { UserFile, OwnFile };

// A file written beside its target and put in the target's place by commit(), so that the target
// is either left as it was or replaced whole. The target's permissions are kept, and a symbolic
// link stays a link: the file it names is replaced. Without a commit the temporary file is removed.
// Failures throw Error naming the target.
//
// On POSIX the temporary file has, from its first byte, the target's permission bits, ACLs and
// extended attributes, or a new file's; never more access than mostAccess grants. On Windows it
// inherits the ACL of its folder, and mostAccess is not used.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target, TempRegistry* registry = nullptr,
                        std::filesystem::perms mostAccess = std::filesystem::perms::all,
                        TargetKind kind = TargetKind::UserFile);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes);
    // Hands the buffered bytes to the temporary file, so that it can be read back.
    void flush();
    // Makes the bytes durable, so that commit() is left with the replace only.
    void prepare();
    // Prepares the file if that is still to do, and puts it in the target's place.
    void commit();

    const std::filesystem::path& target() const noexcept { return target_; }
    // The file that commit() replaces, links followed, and whether it was there when this one began.
    const std::filesystem::path& replaced() const noexcept { return resolved_; }
    bool replacesAFile() const noexcept { return targetExists_; }
    // Whether the target already holds every byte written so far, and no more: putting this file in
    // its place would change nothing.
    bool matchesTarget();

private:
    void createTemp();
    void writeAll(const char* data, std::size_t size);
    void discard() noexcept;

    // Per system, in atomic_file_<system>.cpp.
    struct Native; // the temporary file's descriptor or handle, what is kept of the target
    struct NativeDeleter {
        void operator()(Native* native) const noexcept;
    };
    // Sets native_ and targetExists_, and resolved_ to the file that a link names; refuses a folder and a
    // write-protected file or folder.
    void inspectTarget();
    std::error_code openTemp(); // fails when temp_ exists, even as a link
    std::error_code writeTemp(const char* data, std::size_t size);
    std::error_code finishTemp(); // gives it the target's attributes, flushes it to disk, closes it
    std::error_code replaceTarget();
    void closeTemp() noexcept;

    std::filesystem::path target_;   // as the user named it
    std::filesystem::path resolved_; // the file that is replaced
    std::filesystem::path temp_;
    TempRegistry* registry_;
    std::filesystem::perms mostAccess_;
    std::unique_ptr<Native, NativeDeleter> native_;
    bool targetExists_ = false;
    bool prepared_ = false;
    std::vector<char> buffer_;
    std::uintmax_t written_ = 0; // bytes handed to the temporary file
};

} // namespace sintegra
