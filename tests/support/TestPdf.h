#pragma once

#include <QString>
#include <QStringList>

// Test inputs made on the fly. Needs a QGuiApplication (fonts).
namespace TestPdf {

// A PDF of the given pages, each showing its text large enough for text extraction.
bool write(QString const& path, QStringList const& pageTexts);
// A PDF of n pages showing "Page 1" .. "Page n".
bool writePages(QString const& path, int n);
// A PDF of about the given size whose cross-reference table was cut away: readers rebuild it
// by reading the whole file. Its pages hold text; the page count is returned (0 on failure).
int writeWithoutCrossReferences(QString const& path, int megabytes);
// qpdf --encrypt; empty user password makes an owner-password-only file. bits: 40, 128 or 256.
bool encrypt(QString const& in, QString const& out, QString const& user, QString const& owner,
             int bits = 256);
// The text of a PDF as pdftotext reads it (empty when it cannot).
QString text(QString const& path, QString const& password = QString());
// The page count as qpdf reports it; -1 when qpdf cannot open the file.
int pageCount(QString const& path, QString const& password = QString());
// Whether qpdf finds the file encrypted (also with only an owner password).
bool isEncrypted(QString const& path);

} // namespace TestPdf
