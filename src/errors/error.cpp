#include "errors/error.hpp"

#include <new>

namespace sintegra {

const char* kindName(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::CannotOpen:
        return "CannotOpen";
    case ErrorKind::CannotRead:
        return "CannotRead";
    case ErrorKind::CannotCreateTemp:
        return "CannotCreateTemp";
    case ErrorKind::CannotWrite:
        return "CannotWrite";
    case ErrorKind::CannotReplace:
        return "CannotReplace";
    case ErrorKind::CannotCreateFolder:
        return "CannotCreateFolder";
    case ErrorKind::NotRegularFile:
        return "NotRegularFile";
    case ErrorKind::FileWriteProtected:
        return "FileWriteProtected";
    case ErrorKind::FolderWriteProtected:
        return "FolderWriteProtected";
    case ErrorKind::CopiesFolderUnusable:
        return "CopiesFolderUnusable";
    case ErrorKind::ProgramFolderMissing:
        return "ProgramFolderMissing";
    case ErrorKind::FolderInUse:
        return "FolderInUse";
    case ErrorKind::TemplateMissing:
        return "TemplateMissing";
    case ErrorKind::TemplateIncomplete:
        return "TemplateIncomplete";
    case ErrorKind::TemplateUnusable:
        return "TemplateUnusable";
    case ErrorKind::TemplateNotCopied:
        return "TemplateNotCopied";
    case ErrorKind::StoreNotRemoved:
        return "StoreNotRemoved";
    case ErrorKind::StoreNotRegularFile:
        return "StoreNotRegularFile";
    case ErrorKind::StoreFailed:
        return "StoreFailed";
    case ErrorKind::OtherFormat:
        return "OtherFormat";
    case ErrorKind::NotText:
        return "NotText";
    case ErrorKind::NoRecord:
        return "NoRecord";
    case ErrorKind::NotRecords:
        return "NotRecords";
    case ErrorKind::LineTooLong:
        return "LineTooLong";
    case ErrorKind::ChangedMeanwhile:
        return "ChangedMeanwhile";
    case ErrorKind::OutOfMemory:
        return "OutOfMemory";
    case ErrorKind::ResourceRefused:
        return "ResourceRefused";
    case ErrorKind::Unexpected:
        return "Unexpected";
    }
    return "ErrorKind?";
}

// As QPDFExc does: one line from the fields, so that a failed test or a log names what failed.
const char* Error::what() const noexcept {
    try {
        message_ = kindName(kind);
        if (!file.empty()) {
            message_ += ": " + file;
        }
        if (!secondFile.empty()) {
            message_ += " -> " + secondFile;
        }
        if (line) {
            message_ += ", line " + std::to_string(*line);
        }
        if (cause) {
            message_ +=
                " (" + std::string(cause.category().name()) + " " + std::to_string(cause.value()) + ")";
        }
        if (!detail.empty()) {
            message_ += ": " + detail;
        }
        return message_.c_str();
    } catch (...) {
        return "sintegra::Error";
    }
}

Error errorOf(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Error& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return Error(ErrorKind::OutOfMemory);
    } catch (const std::system_error& error) {
        return Error(ErrorKind::ResourceRefused, {}, error.code());
    } catch (const std::exception& error) {
        Error unexpected(ErrorKind::Unexpected);
        unexpected.detail = error.what();
        return unexpected;
    } catch (...) {
        return Error(ErrorKind::Unexpected);
    }
}

} // namespace sintegra
