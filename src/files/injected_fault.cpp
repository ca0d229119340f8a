#include "files/injected_fault.hpp"

#include <atomic>
#include <stdexcept>

namespace sintegra {
namespace {

// Set before a run starts and cleared after it ends; files are written on several threads meanwhile.
std::atomic<const InjectedFault*> active{nullptr};

} // namespace

InjectedFault::InjectedFault(FileOperation operation, std::filesystem::path target, std::error_code error)
    : operation_(operation)
    , target_(std::move(target))
    , error_(error) {
    const InjectedFault* none = nullptr;
    if (!active.compare_exchange_strong(none, this)) {
        throw std::logic_error("one injected fault at a time");
    }
}

InjectedFault::~InjectedFault() {
    active.store(nullptr);
}

std::error_code InjectedFault::check(FileOperation operation, const std::filesystem::path& target) noexcept {
    const InjectedFault* fault = active.load();
    if (fault == nullptr || fault->operation_ != operation ||
        (fault->target_ != target && fault->target_ != target.parent_path())) {
        return {};
    }
    return fault->error_;
}

} // namespace sintegra
