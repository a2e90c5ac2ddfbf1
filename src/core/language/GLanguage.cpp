#include "language/GLanguage.h"

#include <QtGlobal>

#include <map>
#include <utility>

namespace {

// QT_TRANSLATE_NOOP lets lupdate collect the texts under the "GLanguage" context.
const std::pair<int, const char*> kStrings[] = {
    {StrNetworkError, QT_TRANSLATE_NOOP("GLanguage", "Error network, please check your connection!")},
    {StrProgramCrashed, QT_TRANSLATE_NOOP("GLanguage", "The program gets crashed.")},
    {StrSendCrashReport,
     QT_TRANSLATE_NOOP("GLanguage", "Please send the crash report to the developer. (%1)")},
    {StrInfo, QT_TRANSLATE_NOOP("GLanguage", "Info")},
    {StrNewestVersion, QT_TRANSLATE_NOOP("GLanguage", "is currently the newest version available.")},
    {StrRequestsTooFrequent,
     QT_TRANSLATE_NOOP("GLanguage", "Requests are too frequent, please try again later.")},
    {StrOcrDownloadPrompt,
     QT_TRANSLATE_NOOP("GLanguage",
                       "The advanced OCR (Optical Character Recognition) module can recognize text "
                       "from scanned PDF or image file, convert them to copyable and searchable PDF "
                       "file.\nDownloading this OCR module now?")},
    {StrFolderReadOnly,
     QT_TRANSLATE_NOOP("GLanguage", "The folder path is read-only. Pleas correct or try again.")},
    {StrAppNotInstalled,
     QT_TRANSLATE_NOOP("GLanguage",
                       "Converting to %1 needs Apple's %1 application, which does not run on Linux. "
                       "Choose \"%2\" instead: it makes a document in %3 format, which %1 opens too.")},
    {StrLanguagesNotSupported, QT_TRANSLATE_NOOP("GLanguage", "The selected languages are not supported")},
    {StrUnableToSave, QT_TRANSLATE_NOOP("GLanguage", "Unable to save the file")},
    {StrLanguagesNotSupported, QT_TRANSLATE_NOOP("GLanguage", "The selected languages are not supported")},
    {StrSuccess, QT_TRANSLATE_NOOP("GLanguage", "Success")},
    {StrInputMissing, QT_TRANSLATE_NOOP("GLanguage", "The input file does not exist or has been moved")},
    {StrPasswordRequired, QT_TRANSLATE_NOOP("GLanguage", "Password required or incorrect password.")},
    {StrOutOfMemory, QT_TRANSLATE_NOOP("GLanguage", "Out of memory.")},
    {StrUnknownConversionError, QT_TRANSLATE_NOOP("GLanguage", "Unknown error in processing conversion.")},
    {StrUnknownPdfError, QT_TRANSLATE_NOOP("GLanguage", "Unknown error in processing PDF.")},
    {StrFileNotFound, QT_TRANSLATE_NOOP("GLanguage", "File not found or could not be opened.")},
    {StrNotPdfOrCorrupted, QT_TRANSLATE_NOOP("GLanguage", "File not in PDF format or corrupted.")},
    {StrUnsupportedSecurity, QT_TRANSLATE_NOOP("GLanguage", "Unsupported security scheme.")},
    {StrPageOrContentError, QT_TRANSLATE_NOOP("GLanguage", "Page not found or content error.")},
    {StrConversionCanceled, QT_TRANSLATE_NOOP("GLanguage", "Conversion task canceled.")},
    {StrFolderCompressionFailed, QT_TRANSLATE_NOOP("GLanguage", "Folder compression failed.")},
    {StrNoTablesFound, QT_TRANSLATE_NOOP("GLanguage", "No tables found in the source file.")},
    {StrOcrFailed, QT_TRANSLATE_NOOP("GLanguage", "Failed to call OCR regnition.")},
    {StrConversionBusy, QT_TRANSLATE_NOOP("GLanguage", "Currently executing conversion task.")},
    {StrCreateFailure, QT_TRANSLATE_NOOP("GLanguage", "Failure.")},
    {StrCreateUnknownError, QT_TRANSLATE_NOOP("GLanguage", "Unknown Error.")},
    {StrCreatePasswordProtected, QT_TRANSLATE_NOOP("GLanguage", "File protected by password.")},
    {StrCreateInvalidArguments, QT_TRANSLATE_NOOP("GLanguage", "Invalid arguments.")},
    {StrCreateCannotOpenSource, QT_TRANSLATE_NOOP("GLanguage", "Unable to open the source file.")},
    {StrCreateUnsupportedFormat, QT_TRANSLATE_NOOP("GLanguage", "Unsupported file format.")},
    {StrCreateSourceNotFound, QT_TRANSLATE_NOOP("GLanguage", "Source file not found.")},
    {StrCreateOutputDirNotFound, QT_TRANSLATE_NOOP("GLanguage", "Output directory not found.")},
    {StrCreateWorksheetNotFound, QT_TRANSLATE_NOOP("GLanguage", "The requested worksheet was not found.")},
    {StrCreateEmptyWorksheet, QT_TRANSLATE_NOOP("GLanguage", "Unable to use an empty worksheet.")},
    {StrCreateProtectedPdf, QT_TRANSLATE_NOOP("GLanguage", "Unable to modify or open a protected PDF.")},
    {StrCreateOfficeCallFailed,
     QT_TRANSLATE_NOOP("GLanguage", "Raised when there is a problem calling an Office application.")},
    {StrCreateNoPrinter,
     QT_TRANSLATE_NOOP("GLanguage",
                       "There are no printers installed, so Office conversion can not proceed.")},
    {StrOutputFolderUnusable,
     QT_TRANSLATE_NOOP("GLanguage", "The output folder does not exist or cannot be written to.")},
    {StrImageUnreadable,
     QT_TRANSLATE_NOOP("GLanguage", "The picture cannot be read: the file is damaged or is not a picture.")},
    {StrOutputNameUnusable,
     QT_TRANSLATE_NOOP("GLanguage", "The output name is not a file name: it is empty or holds a \"/\".")},
    {StrMemoryLimit, QT_TRANSLATE_NOOP("GLanguage", "The file needs more memory than %1 and was stopped.")},
    {StrTimeLimit, QT_TRANSLATE_NOOP("GLanguage", "The file took too long to read and was stopped.")},
    {StrOcrUnreadable,
     QT_TRANSLATE_NOOP("GLanguage", "The text of a scanned page could not be recognised with confidence in any "
                                    "of the available languages.")},
    {StrDiskFull, QT_TRANSLATE_NOOP("GLanguage", "The disk is full.")},
    {StrDocumentDamaged,
     QT_TRANSLATE_NOOP("GLanguage",
                       "The document cannot be read: the file is damaged or is not a document of its type.")},
    {StrNoTextLayer,
     QT_TRANSLATE_NOOP("GLanguage", "The pages hold no text, only pictures such as scans. Turn on \"Recognize "
                                    "text\" in the options to read the text in them.")},
};

} // namespace

GLanguage::~GLanguage() = default;

const char* GLanguage::getString(StringIndex index)
{
    static const std::map<int, const char*> stringsMap = [] {
        std::map<int, const char*> map;
        for (auto const& entry : kStrings)
            map.insert(entry); // a repeated key keeps its first text
        return map;
    }();
    return stringsMap.at(index);
}
