#pragma once

#include <QString>
#include <QStringList>

// Makes the PDFs the conversion tests read: known text laid out with QPdfWriter, and
// encrypted copies made with the qpdf command line.
namespace PdfFixtures {

struct Page
{
    QString title;          // set large and bold at the top, across the page
    QStringList paragraphs; // body text, 11 pt
    int columns = 1;        // 1 or 2
};

// Writes the pages to @p path; false when it cannot.
bool writePdf(QString const& path, QList<Page> const& pages);
// Short distinct words, so that a paragraph of them wraps over several lines.
QString words(QString const& prefix, int count);
// Runs "qpdf --encrypt ..." with the given arguments between the input and the output.
bool encrypt(QString const& input, QString const& output, QStringList const& encryptArgs);
// pdftotext's reading of a file, or an empty string.
QString pdfToText(QString const& path);

} // namespace PdfFixtures
