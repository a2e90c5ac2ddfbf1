#pragma once

#include <QByteArray>

#include <string>
#include <vector>

namespace docquill::ocr {

/// The forms in which a password typed by a user is tried, as qpdf's own password handling
/// tries them: the bytes as given first, then the same text in the other encodings a PDF
/// may have kept it in. Files encrypted with RC4 or AES-128 keep single-byte passwords
/// (PDFDocEncoding, which matches Latin-1 for the usual letters), AES-256 files keep UTF-8,
/// and the user's bytes may be either.
class PdfPassword
{
public:
    /// At least one form (the password itself), without repeats.
    static std::vector<std::string> forms(QByteArray const& password);
};

} // namespace docquill::ocr
