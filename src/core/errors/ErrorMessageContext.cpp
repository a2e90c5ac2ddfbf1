#include "errors/ErrorMessageContext.h"

#include "engines/ResultCodes.h"
#include "language/GLanguage.h"
#include "relay/SignalTransferStation.h"

#include <pdfconv/common/LibraryManager.h>

#include <QCoreApplication>
#include <QLocale>
#include <QMap>

namespace {

QString translated(StringIndex index)
{
    QString const text = QCoreApplication::translate("GLanguage", GLanguage::getString(index));
    if (index != StrMemoryLimit)
        return text;
    // The one limit that conversions and creations share, as the desktop shows sizes.
    return text.arg(QLocale().formattedDataSize(pdfconv::common::LibraryManager::MemoryLimit(), 1,
                                                QLocale::DataSizeTraditionalFormat));
}

const QMap<int, StringIndex>& convertTexts()
{
    static const QMap<int, StringIndex> map = {
        {ConvertErrorCanceled, StrConversionCanceled},
        {ConvertErrorFileNotFound, StrFileNotFound},
        {ConvertErrorPassword, StrPasswordRequired},
        {ConvertErrorPageOrContent, StrPageOrContentError},
        {ConvertErrorNotPdf, StrNotPdfOrCorrupted},
        {ConvertErrorSecurity, StrUnsupportedSecurity},
        {ConvertErrorOutOfMemory, StrOutOfMemory},
        {ConvertErrorFolderCompression, StrFolderCompressionFailed},
        {ConvertErrorNoTables, StrNoTablesFound},
        {ConvertErrorOcrFailed, StrOcrFailed},
        {ConvertErrorBusy, StrConversionBusy},
        {ConvertErrorUnknown, StrUnknownConversionError},
        {ConvertErrorOutputFolder, StrOutputFolderUnusable},
        {ConvertErrorImageUnreadable, StrImageUnreadable},
        {ConvertErrorMemoryLimit, StrMemoryLimit},
        {ConvertErrorTimeLimit, StrTimeLimit},
        {ConvertErrorOcrUnreadable, StrOcrUnreadable},
        {ConvertErrorDiskFull, StrDiskFull},
        {ConvertErrorNoText, StrNoTextLayer},
    };
    return map;
}

const QMap<int, StringIndex>& createTexts()
{
    static const QMap<int, StringIndex> map = {
        {CreateErrorFailure, StrCreateFailure},
        {CreateErrorUnknown, StrCreateUnknownError},
        {CreateErrorPasswordProtected, StrCreatePasswordProtected},
        {CreateErrorInvalidArguments, StrCreateInvalidArguments},
        {CreateErrorCannotOpenSource, StrCreateCannotOpenSource},
        {CreateErrorUnsupportedFormat, StrCreateUnsupportedFormat},
        {CreateErrorSourceNotFound, StrCreateSourceNotFound},
        {CreateErrorOutputDirNotFound, StrCreateOutputDirNotFound},
        {CreateErrorWorksheetNotFound, StrCreateWorksheetNotFound},
        {CreateErrorEmptyWorksheet, StrCreateEmptyWorksheet},
        {CreateErrorProtectedPdf, StrCreateProtectedPdf},
        {CreateErrorOfficeCallFailed, StrCreateOfficeCallFailed},
        {CreateErrorNoPrinter, StrCreateNoPrinter},
        {CreateErrorOutputFolder, StrOutputFolderUnusable},
        {CreateErrorOutputName, StrOutputNameUnusable},
        {CreateErrorMemoryLimit, StrMemoryLimit},
        {CreateErrorTimeLimit, StrTimeLimit},
        {CreateErrorDiskFull, StrDiskFull},
        {CreateErrorDocumentDamaged, StrDocumentDamaged},
        {CreateErrorCanceled, StrConversionCanceled},
    };
    return map;
}

} // namespace

ErrorMessageContext::ErrorMessageContext(QString message)
    : QObject(nullptr), m_errorMessage(std::move(message))
{
}

ErrorMessageContext::~ErrorMessageContext() = default;

QString ErrorMessageContext::getErrorMessage(int code)
{
    auto it = convertTexts().constFind(code);
    return it == convertTexts().cend() ? QString() : translated(it.value());
}

QString ErrorMessageContext::getErrorMessageForCreator(int code)
{
    auto it = createTexts().constFind(code);
    if (it != createTexts().cend())
        return translated(it.value());
    // The failure bit together with one other flag shows that flag's text.
    if (code > 0 && (code & 1)) {
        it = createTexts().constFind(code & ~1);
        if (it != createTexts().cend())
            return translated(it.value());
    }
    return QString();
}

void ErrorMessageContext::setErrorMessage(QString text)
{
    m_errorMessage = std::move(text);
}

int ErrorMessageContext::getErrorCode(QString text)
{
    if (!text.isEmpty())
        m_errorMessage = text;
    if (m_errorMessage.isEmpty())
        return 0;
    auto containsAny = [this](std::initializer_list<const char*> needles) {
        for (const char* needle : needles)
            if (m_errorMessage.contains(QLatin1String(needle)))
                return true;
        return false;
    };
    if (containsAny({"An error occurred while trying to save the file",
                     "Unable to create or overwrite output file", "Unable to open the file", "exitCode=7",
                     "exitCode=6"}))
        return 1;
    if (containsAny({"Requested language data no found"}))
        return 2;
    if (containsAny({"Input file does not exist", "MappingManager file not found"}))
        return 3;
    SignalTransferStation::instance()->relayErrorMessage(m_errorMessage);
    return 4;
}
