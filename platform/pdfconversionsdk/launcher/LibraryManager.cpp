#include <pdfconv/common/LibraryManager.h>

#include "ConversionRunner.h"
#include "SdkLog.h"

#include <pdfconv/base/ResultCode.h>

#include <QFileInfo>
#include <QMutex>
#include <QString>

namespace pdfconv {
namespace common {

namespace {
QMutex g_mutex;
QString g_resourceFolder;
} // namespace

void LibraryManager::SetLogger(bool enabled, bool verbose)
{
    SdkLog::configure(enabled, verbose);
}

int LibraryManager::Initialize(char const* resourceFolder)
{
    QString const folder = resourceFolder ? QString::fromUtf8(resourceFolder) : QString();
    QMutexLocker lock(&g_mutex);
    g_resourceFolder = folder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        SdkLog::detail(QStringLiteral("resource folder missing: ") + folder);
        return base::FileNotFound;
    }
    return base::Success;
}

int LibraryManager::SetDocumentAIModel(char const* modelFile, base::OCRLanguage)
{
    QString const path = modelFile ? QString::fromUtf8(modelFile) : QString();
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        SdkLog::detail(QStringLiteral("document AI model not found: ") + path);
        return base::FileNotFound;
    }
    // The model is tried in the helper process: language data that does not load can take
    // the loading process down.
    return ConversionRunner::loadModel(path);
}

int LibraryManager::SetOCRLanguage(base::OCRLanguage language)
{
    switch (language) {
    case base::OCRLanguageChineseSimplified:
    case base::OCRLanguageChineseTraditional:
    case base::OCRLanguageEnglish:
    case base::OCRLanguageKorean:
    case base::OCRLanguageJapanese:
    case base::OCRLanguageLatin:
    case base::OCRLanguageAuto:
        ConversionRunner::setOcrLanguage(language);
        return base::Success;
    default:
        break;
    }
    // The languages 6 stands for, by name.
    if ((language >= base::OCRLanguageSerbian && language <= base::OCRLanguageArabic) ||
        (language >= 50 && language <= 59)) {
        ConversionRunner::setOcrLanguage(language);
        return base::Success;
    }
    return base::OcrFailed;
}

long long LibraryManager::MemoryLimit()
{
    return ConversionRunner::memoryLimit();
}

void LibraryManager::SetLimitsForTesting(long long memoryBytes, int stallSeconds, int pageSeconds)
{
    ConversionRunner::setLimits(memoryBytes, stallSeconds, pageSeconds);
}

} // namespace common
} // namespace pdfconv
