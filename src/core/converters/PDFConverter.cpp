#include "converters/PDFConverter.h"

#include "common/OcrLanguages.h"
#include "converters/SdkBoundary.h"
#include "creation/ExeStarter.h"
#include "pdf/PDFUtils.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <atomic>

namespace {
std::atomic<Qt::HANDLE> s_threadId{nullptr};
bool s_enableOcr = false;
} // namespace

PDFConverter::PDFConverter()
{
    m_enableAI = false;
    Qt::HANDLE current = QThread::currentThreadId();
    if (s_threadId.load() == current) {
        m_enableAI = s_enableOcr;
        return;
    }
    s_threadId.exchange(current);
    SdkBoundary const& sdk = SdkBoundary::current();
    QString resources = QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources/resource");
    QString model = resources + QStringLiteral("/models/documentai.model");
    sdk.setLogger(false, false);
    sdk.initialize(resources.toUtf8().constData());
    if (sdk.setDocumentAIModel(model.toUtf8().constData(), static_cast<pdfconv::base::OCRLanguage>(8)) == 0) {
        s_enableOcr = true;
        m_enableAI = true;
    } else {
        m_enableAI = s_enableOcr;
    }
}

PDFConverter::~PDFConverter() = default;

void PDFConverter::resetSetupForTesting()
{
    s_threadId.store(nullptr);
    s_enableOcr = false;
}

pdfconv::base::ConvertOptions PDFConverter::baseOptions() const
{
    pdfconv::base::ConvertOptions record;
    record.useDocumentAI = m_enableAI;
    record.reserved1 = record.reserved2 = record.reserved3 = true;
    record.excelAllContent = false;
    record.excelSheetPerTable = true;
    record.csvOutput = false;
    record.ocrEnabled = false;
    record.keepLayout = true;
    record.reserved9 = false;
    record.imageScale = 1.0f;
    record.wordLayout = 1;
    record.reserved20 = 0;
    record.imageType = 0;
    return record;
}

void PDFConverter::applyOcr(pdfconv::base::ConvertOptions& record, ConvertOption const& option)
{
    if (!option.m_ocrEnabled)
        return;
    record.ocrEnabled = true;
    setOCRLanguage(recognitionLanguage(option));
}

int PDFConverter::recognitionLanguage(ConvertOption const& option)
{
    if (option.m_ocrLanguage != kSharedLanguageNumber || option.m_ocrLanguageIndex < 0 ||
        option.m_ocrLanguageIndex >= LanguageChoice.size())
        return option.m_ocrLanguage;
    // The record keeps 6 for all of them; its index still names the one chosen, and the SDK
    // reads a script several languages share (Arabic) with that language's data.
    int const chosen = (LanguageChoice.cbegin() + option.m_ocrLanguageIndex).value();
    return chosen >= kFirstSharedLanguageId ? chosen : option.m_ocrLanguage;
}

void PDFConverter::setOCRLanguage(int language)
{
    SdkBoundary::current().setOCRLanguage(static_cast<pdfconv::base::OCRLanguage>(language));
}

QString PDFConverter::image2Pdf(QString const& imagePath)
{
    // A working copy of its own: a file of the same name in the Temp folder is someone else's.
    QString output = PDFUtils::makeWorkingCopy(QFileInfo(imagePath).baseName() + QStringLiteral(".pdf"));
    if (output.isEmpty())
        return output;
    ExeStarter starter;
    int code = starter.cmdProgramStart(QStringLiteral("PdfCreator"), {QStringLiteral("-input"), imagePath,
                                                                      QStringLiteral("-output"), output});
    if (code != 0) {
        PDFUtils::removeWorkingCopy(output);
        return QString();
    }
    return output;
}
