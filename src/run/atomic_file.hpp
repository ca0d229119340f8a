#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace sintegra {

class TempRegistry;

// A file written beside its target and put in the target's place by commit(), so that the target
// is either left as it was or replaced whole. A symbolic link stays a link: its target is replaced.
// Without a commit the temporary file is removed. Failures throw RunError naming the target.
class AtomicFile {
public:
    explicit AtomicFile(std::string target, TempRegistry* registry = nullptr);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes);
    // Hands the buffered bytes to the temporary file, so that it can be read back.
    void flush();
    // Makes the bytes durable, so that commit() is left with the rename only.
    void prepare();
    // Prepares the file if that is still to do, and renames the temporary file over the target.
    void commit();

    const std::string& target() const noexcept { return target_; }
    const std::string& tempPath() const noexcept { return temp_; }

private:
    void resolveTarget();
    void createTemp();
    void writeAll(const char* data, std::size_t size);
    void discard() noexcept;

    std::string target_;   // as the user named it
    std::string resolved_; // the file that is replaced, symbolic links followed
    std::string temp_;
    TempRegistry* registry_;
    int fd_ = -1;
    bool targetExists_ = false;
    mode_t mode_ = 0;
    uid_t owner_ = 0;
    gid_t group_ = 0;
    std::vector<char> buffer_;
};

} // namespace sintegra
