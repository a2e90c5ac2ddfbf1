#pragma once

#include "DocRender.h"

// The exit codes of PdfCreator: single creation error flags. An exit status carries 8 bits, so
// flags above 128 would arrive as 0 (success) or garbage; none is ever used.
namespace CreatorExitCode {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;
constexpr int kPasswordProtected = 4;
constexpr int kInvalidArguments = 8;
constexpr int kCannotOpenSource = 16;
constexpr int kUnsupportedFormat = 32;
constexpr int kSourceNotFound = 64;
constexpr int kOutputDirNotFound = 128;
// The output's disk is full: the one pair of flags no other cause sets, as no flag is left.
constexpr int kDiskFull = kFailure | 2;

int forError(docrender::RenderError error);

} // namespace CreatorExitCode
