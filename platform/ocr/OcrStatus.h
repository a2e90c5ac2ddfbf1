#pragma once

namespace docquill::ocr {

/// Outcome of an operation of the text-recognition layer.
enum class Status
{
    Ok,
    Cancelled,         ///< stopped through the caller's cancel flag
    FileNotFound,      ///< the input file does not exist or cannot be read
    PasswordError,     ///< the PDF is encrypted and the password does not open it
    NotPdf,            ///< the input is not a PDF file
    Damaged,           ///< the PDF could not be read
    OutOfMemory,       ///< an allocation failed
    NoModel,           ///< no usable language data was loaded
    UnknownLanguage,   ///< the language number or code is not one the model holds
    RecognitionFailed, ///< the engine failed on a page
    Unreadable,        ///< no language data of the model reads a page with confidence
    OutputFailed,      ///< the output file could not be written
    DiskFull,          ///< the output file could not be written: the disk is full
    InvalidArgument    ///< inconsistent arguments (output equals input, wrong page list)
};

} // namespace docquill::ocr
