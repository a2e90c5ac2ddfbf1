#pragma once

#include "ooxml/WriteResult.h"

#include <exception>
#include <new>

// Writing beside the target and renaming into place; not part of the public API.
namespace ooxml::internal {

// Fails early when the target cannot be written: missing folder; a folder, device or pipe at
// the path; or a file there that `existing` forbids replacing.
WriteResult checkTarget(QString const& target, ExistingFile existing);
// A name in the target's folder that is not in use: a hidden file the user can tell apart.
QString temporaryPathFor(QString const& target);
// Renames the finished temporary file to the target. With ExistingFile::Fail this never
// replaces a file that appeared meanwhile. The temporary file is removed on failure.
WriteResult commitTemporary(QString const& temporary, QString const& target, ExistingFile existing);

// Runs a writer body so that no exception leaves the library.
template <class Body> WriteResult guarded(Body&& body) noexcept
{
    try {
        return body();
    } catch (std::bad_alloc const&) {
        return WriteResult::failure(WriteError::OutOfMemory, QStringLiteral("out of memory"));
    } catch (std::exception const& e) {
        return WriteResult::failure(WriteError::Archive, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return WriteResult::failure(WriteError::Archive, QStringLiteral("unexpected failure"));
    }
}

} // namespace ooxml::internal
