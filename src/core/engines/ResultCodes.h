#pragma once

// Codes a conversion reports (Result::code on the converter page).
enum ConvertErrorCode
{
    ConvertErrorNoConverter = -2,
    ConvertErrorNotRun = -1,
    ConvertErrorNone = 0,
    ConvertErrorCanceled = 1,
    ConvertErrorFileNotFound = 2,
    ConvertErrorPassword = 3,
    ConvertErrorPageOrContent = 4,
    ConvertErrorNotPdf = 5,
    ConvertErrorSecurity = 6,
    ConvertErrorOutOfMemory = 7,
    ConvertErrorFolderCompression = 9,
    ConvertErrorNoTables = 40,
    ConvertErrorOcrFailed = 41,
    ConvertErrorBusy = 60,
    ConvertErrorUnknown = 100,
    // Ours, not the SDK's: the output folder is missing or cannot be written to.
    ConvertErrorOutputFolder = 11,
    // Ours: a picture that could not be made into a PDF (damaged, or no picture at all).
    ConvertErrorImageUnreadable = 12,
    // The SDK's own: the file needed more memory, or more time, than a conversion may take.
    ConvertErrorMemoryLimit = 70,
    ConvertErrorTimeLimit = 71,
    // The SDK's own: a page's text could not be read with confidence in any language.
    ConvertErrorOcrUnreadable = 42,
    // The SDK's own: no page holds text and recognition is off; nothing was written.
    ConvertErrorNoText = 43,
    // The SDK's own: the output's disk (or the user's quota on it) is full.
    ConvertErrorDiskFull = 72,
};

// Bit flags of the creation helper's exit code (Result::code on the creator page).
enum CreateErrorFlag
{
    CreateErrorFailure = 1,
    CreateErrorUnknown = 2,
    CreateErrorPasswordProtected = 4,
    CreateErrorInvalidArguments = 8,
    CreateErrorCannotOpenSource = 16,
    CreateErrorUnsupportedFormat = 32,
    CreateErrorSourceNotFound = 64,
    CreateErrorOutputDirNotFound = 128,
    CreateErrorWorksheetNotFound = 256,
    CreateErrorEmptyWorksheet = 512,
    CreateErrorProtectedPdf = 1024,
    CreateErrorOfficeCallFailed = 2048,
    CreateErrorNoPrinter = 4096,
    // Ours, not the helper's: the output folder is missing or cannot be written to.
    CreateErrorOutputFolder = 8192,
    // Ours: the output name is no file name of its own (empty, a path, only dots).
    CreateErrorOutputName = 16384,
    // Ours: the creation needed more memory, or more time, than it may take, and was stopped.
    CreateErrorMemoryLimit = 32768,
    CreateErrorTimeLimit = 65536,
    // Ours: the output's disk (or the user's quota on it) is full.
    CreateErrorDiskFull = 131072,
    // Ours: the document is damaged or not of the type its name says.
    CreateErrorDocumentDamaged = 262144,
    // Ours: the user cancelled the run while the helper worked on this file.
    CreateErrorCanceled = 524288,
};
