#pragma once

#include <QString>
#include <QStringList>

namespace pdfconv {

// Where one conversion writes until its output is complete: a hidden folder of its own
// beside the output file, or inside the output folder for page images and CSV files. The
// helper puts its output there and every temporary file of its writers too, so whatever ends
// the conversion, removing that one folder leaves nothing behind.
//
// Nothing of the caller's is ever replaced or removed here but the one output file they
// named: files of a folder output go in under free names, and a failure takes away only what
// this conversion created (its files and the folders it made for them).
class OutputStaging
{
public:
    OutputStaging() = default;
    // Discards whatever was not published.
    ~OutputStaging();
    OutputStaging(OutputStaging const&) = delete;
    OutputStaging& operator=(OutputStaging const&) = delete;

    // Makes the staging folder (and, for a folder output, the missing output folders).
    // Returns a pdfconv::base::ResultCode.
    int prepare(bool folderOutput, QString const& input, QString const& output);
    // What the helper writes: the staging folder itself for a folder output, else the output
    // file inside it.
    QString workPath() const;
    // Moves the output into place: the file over the path the caller named, or each of
    // @p files (names in the staging folder) into the output folder under a free name.
    // Returns a pdfconv::base::ResultCode; on failure nothing of it stays.
    int publish(QString const& output, QStringList const& files);
    // Empties the staging folder for another try.
    void clear();
    // Removes the staging folder, and after a failure the folders this conversion made.
    void discard();

    // The name files of the input are given in a folder output: the input's name without
    // its suffix (the whole name when nothing else is left), short enough that a page number,
    // a suffix and a counter still fit the file system's limit.
    static QString baseNameFor(QString const& input);

private:
    QString m_folder; // the staging folder
    bool m_folderOutput = false;
    QString m_outputFolder;       // a folder output: the folder the caller named
    QStringList m_createdFolders; // made for a folder output, outermost first
    bool m_published = false;
};

} // namespace pdfconv
