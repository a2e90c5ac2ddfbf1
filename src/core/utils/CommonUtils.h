#pragma once

#include <QList>
#include <QPixmap>
#include <QString>

#include <string>

// Small file helpers shared by the core. Output naming goes through duplicateFilenameHandle,
// so nothing in an output folder is ever replaced.
class CommonUtils
{
public:
    CommonUtils() = default;

    // Why a name typed for a PDF to create cannot be one file in the output folder.
    enum OutputNameProblem
    {
        OutputNameUsable,
        OutputNameEmpty,
        OutputNameHasSeparator,
        OutputNameOnlyDots,
    };
    // The file name of the PDF made under a typed name: ".pdf" added unless it ends so already.
    static QString pdfFileName(QString const& name);
    static OutputNameProblem checkOutputName(QString const& name);

    static QString generatePredictedFilename(QString const& inputPath, QString const& outputDir,
                                             QString const& suffix, bool keepName);
    // Replaces name by a name that nothing in dir uses yet; creates dir when missing.
    // Reserves nothing: the caller creates the file after the lock is released.
    static void duplicateFilenameHandle(QString const& dir, QString& name);

    static bool CheckIsPhoto(QString const& path);
    static bool CheckIsCreatableFormats(QString const& path);
    static bool CheckIsDFCreatableFormats(QString const& path);
    static QString getFileTypeFilter(bool convertSide);
    // A name as one line of text: its line breaks become spaces (for showing only).
    static QString oneLine(QString text);
    // Cuts value to decimals digits after the point instead of rounding.
    static double getNonRoundingNumber(double value, int decimals);

    static QString GetWare(QString command);
    static QString FillIn(QString text, int width, QString, QString tail);
    static QString getTmpFileName(QString path, QString tag, int n);
    static bool isDirExist(QString path);
    static bool isFileExist(QString path);
    // Whether a file can be made in the folder now: it exists and takes a file.
    static bool isWritableFolder(QString const& path);
    static QPixmap getFileIcon(QString path);
    static void getAllParentPath(QString path, QList<QString>& out);
    static std::string UTF8toGBK(std::string const&);
    static QString getLogPath();
};
