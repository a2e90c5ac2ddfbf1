#pragma once

#include <QObject>

// Keys of the central table of English message texts.
enum StringIndex
{
    StrNetworkError = 1,
    StrProgramCrashed = 3,
    StrSendCrashReport = 4,
    StrInfo = 6,
    StrNewestVersion = 7,
    StrRequestsTooFrequent = 8,
    StrOcrDownloadPrompt = 9,
    StrFolderReadOnly = 10,
    StrAppNotInstalled = 11,
    StrLanguagesNotSupported = 12,
    StrUnableToSave = 13,
    StrSuccess = 14,
    StrInputMissing = 15,
    StrPasswordRequired = 16,
    StrOutOfMemory = 18,
    StrUnknownConversionError = 19,
    StrUnknownPdfError = 20,
    StrFileNotFound = 21,
    StrNotPdfOrCorrupted = 22,
    StrUnsupportedSecurity = 23,
    StrPageOrContentError = 24,
    StrConversionCanceled = 25,
    StrFolderCompressionFailed = 26,
    StrNoTablesFound = 27,
    StrOcrFailed = 28,
    StrConversionBusy = 29,
    StrCreateFailure = 30,
    StrCreateUnknownError = 31,
    StrCreatePasswordProtected = 32,
    StrCreateInvalidArguments = 33,
    StrCreateCannotOpenSource = 34,
    StrCreateUnsupportedFormat = 35,
    StrCreateSourceNotFound = 36,
    StrCreateOutputDirNotFound = 37,
    StrCreateWorksheetNotFound = 38,
    StrCreateEmptyWorksheet = 39,
    StrCreateProtectedPdf = 40,
    StrCreateOfficeCallFailed = 41,
    StrCreateNoPrinter = 42,
    StrOutputFolderUnusable = 43,
    StrImageUnreadable = 44,
    StrOutputNameUnusable = 45,
    StrMemoryLimit = 46,
    StrTimeLimit = 47,
    StrOcrUnreadable = 48,
    StrDiskFull = 49,
    StrDocumentDamaged = 50,
    StrNoTextLayer = 51,
};

// The translation context "GLanguage" and the home of the English message table.
// Callers translate with QCoreApplication::translate("GLanguage", getString(key)).
class GLanguage : public QObject
{
    Q_OBJECT

public:
    ~GLanguage() override;

    // The English text of key; std::out_of_range for a key that is not in the table.
    static const char* getString(StringIndex index);
};
