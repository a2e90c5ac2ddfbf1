#include "engines/CreateEngine.h"

#include "creation/DFConvert.h"
#include "creation/ExeStarter.h"
#include "creation/MacAppChecker.h"
#include "engines/ResultCodes.h"
#include "utils/CommonUtils.h"

#include <QFileInfo>

namespace {

// PdfCreator's exit codes are its flags, but for a full disk, which has no flag left of its own.
int helperCode(int exitCode)
{
    constexpr int kHelperDiskFull = CreateErrorFailure | CreateErrorUnknown;
    return exitCode == kHelperDiskFull ? int(CreateErrorDiskFull) : exitCode;
}

} // namespace

CreateEngine::~CreateEngine() = default;

Result CreateEngine::run(QString const& input, QString const& output, QString const&)
{
    return createPdfForMac(input, output);
}

Result CreateEngine::createPdfForMac(QString const& input, QString const& output)
{
    Result result;
    result.path = output;
    QStringList arguments{QStringLiteral("-input"), input, QStringLiteral("-output"), output};
    // A file removed after it was added: the document layer would only say that it failed.
    if (!QFileInfo(input).isFile()) {
        result.code = CreateErrorSourceNotFound;
        return result;
    }

    if (!CommonUtils::CheckIsDFCreatableFormats(input)) {
        ExeStarter starter;
        result.code = helperCode(starter.cmdProgramStart(QStringLiteral("PdfCreator"), arguments));
        return result;
    }

    QString suffix = QFileInfo(input).suffix();
    QString application;
    if (suffix.compare(QLatin1String("docx"), Qt::CaseInsensitive) == 0)
        application = QStringLiteral("Pages");
    else if (suffix.compare(QLatin1String("pptx"), Qt::CaseInsensitive) == 0)
        application = QStringLiteral("Keynote");

    if (MacAppChecker(application).isInstalled()) {
        ExeStarter starter;
        result.code = helperCode(starter.cmdProgramStart(QStringLiteral("PdfCreator"), arguments));
    } else {
        result.code = DFConvert(input, output);
    }
    return result;
}

Result CreateEngine::createPdfForWindows(QString const&, QString const&)
{
    return Result();
}
