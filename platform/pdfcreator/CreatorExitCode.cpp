#include "CreatorExitCode.h"

namespace CreatorExitCode {

int forError(docrender::RenderError error)
{
    using docrender::RenderError;
    switch (error) {
    case RenderError::None:
        return kSuccess;
    case RenderError::SourceNotFound:
        return kSourceNotFound;
    case RenderError::OutputDirNotFound:
        return kOutputDirNotFound;
    case RenderError::CannotOpen:
        return kCannotOpenSource;
    case RenderError::Unsupported:
    case RenderError::NoProgram:
        return kUnsupportedFormat;
    case RenderError::PasswordProtected:
        return kPasswordProtected;
    case RenderError::DiskFull:
        return kDiskFull;
    case RenderError::TimedOut:
    case RenderError::Failure:
        return kFailure;
    }
    return kFailure;
}

} // namespace CreatorExitCode
