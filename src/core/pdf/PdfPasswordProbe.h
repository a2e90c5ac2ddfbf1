#pragma once

#include <QString>

// A second reader's word on a PDF that qpdf cannot open: some files with a broken encryption
// dictionary are refused by qpdf but open with poppler, and only with their password.
class PdfPasswordProbe
{
public:
    enum State
    {
        CannotOpen,
        NeedsPassword,
        Open,
    };

    // Opens the file with the password (empty: none); on Open, pageCount is the file's.
    static State probe(QString const& path, QString const& password, int* pageCount = nullptr);
};
