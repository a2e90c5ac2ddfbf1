// PdfCreator -input SOURCE -output PDF
// Writes a PDF made from SOURCE at PDF. Exit code 0 only when a valid PDF was written there,
// otherwise the creation error flag of the cause, with the cause on standard error.
#include "CreatorExitCode.h"
#include "DocRender.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <exception>

namespace {

int fail(int code, QString const& message)
{
    std::fprintf(stderr, "PdfCreator: %s\n", message.toLocal8Bit().constData());
    return code;
}

// Exactly "-input" SOURCE "-output" PDF; the two pairs may come in either order.
bool parseArguments(QStringList const& args, QString* input, QString* output)
{
    if (args.size() != 4)
        return false;
    for (int i = 0; i < 4; i += 2) {
        QString* const target = args[i] == "-input" ? input : args[i] == "-output" ? output : nullptr;
        if (!target || !target->isNull() || args[i + 1].isEmpty())
            return false;
        *target = args[i + 1];
    }
    return !input->isNull() && !output->isNull();
}

// Qt's own notices (a missing runtime folder and the like) would bury the cause that the caller
// keeps as the error text; only critical messages get through.
void quietMessages(QtMsgType type, QMessageLogContext const&, QString const& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

int run(int argc, char** argv)
{
    qInstallMessageHandler(quietMessages);
    // A helper shows no window; the offscreen platform gives fonts without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();

    QString input;
    QString output;
    if (!parseArguments(args, &input, &output))
        return fail(CreatorExitCode::kInvalidArguments, "usage: PdfCreator -input SOURCE -output PDF");
    QFileInfo const in(input);
    QFileInfo const out(output);
    if (in.absoluteFilePath() == out.absoluteFilePath() ||
        (in.exists() && out.exists() && in.canonicalFilePath() == out.canonicalFilePath()))
        return fail(CreatorExitCode::kInvalidArguments, "the output path names the source file");

    docrender::RenderResult const result = docrender::renderToPdf(input, output);
    if (!result.ok())
        return fail(CreatorExitCode::forError(result.error), result.message);
    return CreatorExitCode::kSuccess;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (std::bad_alloc const&) {
        return fail(CreatorExitCode::kFailure, "out of memory");
    } catch (std::exception const& e) {
        return fail(CreatorExitCode::kFailure, QString("unexpected error: %1").arg(e.what()));
    }
}
