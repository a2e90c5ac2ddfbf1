#pragma once

#include <QString>
#include <QStringList>

class PDFUtils
{
public:
    // Writes a copy of the PDF holding only the pages of the ranges ("7", "3-5") and returns its
    // path; the input path itself when ranges is empty. The copy is a working copy (below) under
    // the input's file name, which the caller removes when its file is done. pages, when given,
    // receives the number of pages written: 0 when the ranges select no page (nothing is
    // written), -1 when the cut failed. A failed cut leaves no file at the returned path.
    static QString pdfPagesCut(QString const& input, QString const& password, QStringList const& ranges,
                               int* pages = nullptr);

    // A new empty file of that name, readable by its owner alone, in a folder of its own in the
    // Temp folder, so it never takes the place of another file there; empty when it cannot be made.
    static QString makeWorkingCopy(QString const& fileName);
    // Removes a working copy and its folder; any other path is left alone.
    static void removeWorkingCopy(QString const& path);
    // Writes the PDF, opened with the password, without any protection into a new file at output,
    // readable by its owner alone. Fails rather than replace an existing file.
    static bool writeUnprotected(QString const& input, QString const& password, QString const& output);
    // A working copy of the whole PDF without its protection; empty when it cannot be written.
    static QString unprotectedWorkingCopy(QString const& input, QString const& password);
    // Copies input to the new file output (never one that exists), every write checked and the
    // copy made durable; a failed copy leaves nothing. Returns 0 or the errno of the failure.
    static int copyToNewFile(QString const& input, QString const& output);
};
