#pragma once

#include <QString>
#include <QStringList>

class PDFUtils
{
public:
    // Writes a copy of the PDF holding only the pages of the ranges ("7", "3-5") into the
    // Temp folder and returns its path; the input path itself when ranges is empty. A failed
    // cut leaves no file at the returned path.
    static QString pdfPagesCut(QString const& input, QString const& password, QStringList const& ranges);
};
