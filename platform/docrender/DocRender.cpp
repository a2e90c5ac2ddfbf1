#include "DocRender.h"

#include "ChmBook.h"
#include "EpubBook.h"
#include "ImageRenderer.h"
#include "LayoutLimits.h"
#include "OfficeConverter.h"
#include "PagedTextWriter.h"
#include "PdfInspector.h"
#include "ResourceTextDocument.h"
#include "RtfReader.h"
#include "TextDecoder.h"

#include <DiskFull.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTextDocument>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace docrender {

namespace {

// Laying out more text than this would take many minutes and gigabytes; no one prints it.
constexpr qint64 kMaxTextSourceSize = qint64(32) << 20;

RenderResult failure(RenderError error, QString const& message)
{
    RenderResult r;
    r.error = error;
    r.message = message;
    return r;
}

RenderResult success()
{
    return failure(RenderError::None, QString());
}

// A file beside the target that is removed again unless it is moved into place. Made with the
// usual permissions (0666 less the umask), which the final PDF keeps.
class TemporaryOutput
{
public:
    explicit TemporaryOutput(QFileInfo const& target)
    {
        for (int attempt = 0; attempt < 100 && m_path.isEmpty(); ++attempt) {
            QString const candidate = target.absoluteDir().filePath(
                QString(".%1.%2.part")
                    .arg(target.completeBaseName())
                    .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0')));
            int const fd = ::open(QFile::encodeName(candidate).constData(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                ::close(fd);
                m_path = candidate;
            } else if (errno != EEXIST) {
                m_diskFull = diskfull::isFull(errno);
                m_error = QString::fromLocal8Bit(std::strerror(errno));
                return;
            }
        }
    }
    ~TemporaryOutput()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    TemporaryOutput(TemporaryOutput const&) = delete;
    TemporaryOutput& operator=(TemporaryOutput const&) = delete;

    QString const& path() const { return m_path; }
    QString const& error() const { return m_error; }
    bool diskFull() const { return m_diskFull; }

    bool moveTo(QString const& target)
    {
        if (std::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(target).constData()) != 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        m_path.clear();
        return true;
    }

private:
    QString m_path;
    QString m_error;
    bool m_diskFull = false;
};

bool readTextSource(QString const& source, QByteArray* data, RenderResult* error)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = failure(RenderError::CannotOpen, "cannot read the source: " + file.errorString());
        return false;
    }
    if (file.size() > kMaxTextSourceSize) {
        *error = failure(RenderError::CannotOpen, "the document is too large to lay out");
        return false;
    }
    *data = file.readAll();
    return true;
}

RenderResult renderText(QString const& source, QString const& pdfPath)
{
    QByteArray data;
    RenderResult error;
    if (!readTextSource(source, &data, &error))
        return error;
    QTextDocument document;
    document.setDefaultFont(PagedTextWriter::plainTextFont());
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    int lines = 0;
    QString const text = LayoutLimits::plainText(TextDecoder::decodePlainText(data), &lines);
    if (lines > LayoutLimits::kMaxParagraphs)
        return failure(RenderError::CannotOpen,
                       QString("the text has %1 lines, more than can be laid out").arg(lines));
    document.setPlainText(text);
    return PagedTextWriter::write(document, pdfPath, QFileInfo(source).completeBaseName());
}

RenderResult renderHtml(QString const& source, QString const& pdfPath)
{
    QByteArray data;
    RenderResult error;
    if (!readTextSource(source, &data, &error))
        return error;
    ResourceTextDocument document([](QString const& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxTextSourceSize)
            return QByteArray();
        QByteArray bytes = file.readAll();
        return bytes.isNull() ? QByteArray("", 0) : bytes;
    });
    document.setDefaultFont(PagedTextWriter::documentFont());
    QString const path = QFileInfo(source).absoluteFilePath();
    int elements = 0;
    QString const html = LayoutLimits::html(
        ResourceTextDocument::rewriteReferences(TextDecoder::decodeHtml(data), path), &elements);
    if (elements > LayoutLimits::kMaxParagraphs)
        return failure(RenderError::CannotOpen,
                       QString("the page has %1 elements, more than can be laid out").arg(elements));
    document.setHtml(html);
    QString title = document.metaInformation(QTextDocument::DocumentTitle).simplified();
    if (title.isEmpty())
        title = QFileInfo(source).completeBaseName();
    return PagedTextWriter::write(document, pdfPath, title);
}

RenderResult renderRtfBuiltIn(QString const& source, QString const& pdfPath)
{
    QByteArray data;
    RenderResult error;
    if (!readTextSource(source, &data, &error))
        return error;
    QTextDocument document;
    document.setDefaultFont(PagedTextWriter::documentFont());
    QString message;
    if (!RtfReader(&document).read(data, &message))
        return failure(RenderError::CannotOpen, message);
    return PagedTextWriter::write(document, pdfPath, QFileInfo(source).completeBaseName());
}

RenderResult writeFailure(QFile const& out)
{
    if (diskfull::isFull(out))
        return failure(RenderError::DiskFull, "cannot write the PDF file: the disk is full");
    return failure(RenderError::Failure, "cannot write the PDF file: " + out.errorString());
}

RenderResult copyPdf(QString const& source, QString const& pdfPath)
{
    PdfInspector::Report const report = PdfInspector::inspect(source);
    if (report.error != RenderError::None)
        return failure(report.error, report.message);
    return copyFile(source, pdfPath);
}

bool needsGui(SourceKind kind)
{
    return kind == SourceKind::Text || kind == SourceKind::Html || kind == SourceKind::Rtf ||
           kind == SourceKind::Epub || kind == SourceKind::Chm;
}

RenderResult dispatch(SourceKind kind, QString const& source, QString const& pdfPath,
                      RenderOptions const& options)
{
    switch (kind) {
    case SourceKind::Pdf:
        return copyPdf(source, pdfPath);
    case SourceKind::Image:
        return ImageRenderer::render(source, pdfPath);
    case SourceKind::Text:
        return renderText(source, pdfPath);
    case SourceKind::Html:
        return renderHtml(source, pdfPath);
    case SourceKind::Rtf: {
        // LibreOffice keeps tables and page set-up that the built-in reader flattens.
        RenderResult const office = OfficeConverter::render(source, pdfPath, options);
        return office.error == RenderError::NoProgram ? renderRtfBuiltIn(source, pdfPath) : office;
    }
    case SourceKind::Epub:
        return EpubBook::render(source, pdfPath);
    case SourceKind::Chm:
        return ChmBook::render(source, pdfPath);
    case SourceKind::Office:
        return OfficeConverter::render(source, pdfPath, options);
    case SourceKind::Unknown:
        break;
    }
    return failure(RenderError::Unsupported, "unsupported source format");
}

} // namespace

RenderResult copyFile(QString const& from, QString const& to)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly))
        return failure(RenderError::CannotOpen, "cannot read the source: " + in.errorString());
    errno = 0;
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return writeFailure(out);
    while (!in.atEnd()) {
        QByteArray const chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            return failure(RenderError::CannotOpen, "cannot read the source: " + in.errorString());
        errno = 0;
        if (out.write(chunk) != chunk.size())
            return writeFailure(out);
    }
    errno = 0;
    if (!out.flush())
        return writeFailure(out);
    out.close();
    if (out.error() != QFileDevice::NoError)
        return writeFailure(out);
    return success();
}

SourceKind sourceKind(QString const& path)
{
    QString const suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "pdf")
        return SourceKind::Pdf;
    if (suffix == "png" || suffix == "jpg" || suffix == "jpeg" || suffix == "bmp" || suffix == "gif" ||
        suffix == "tif" || suffix == "tiff")
        return SourceKind::Image;
    if (suffix == "txt")
        return SourceKind::Text;
    if (suffix == "htm" || suffix == "html" || suffix == "xhtml")
        return SourceKind::Html;
    if (suffix == "rtf")
        return SourceKind::Rtf;
    if (suffix == "epub")
        return SourceKind::Epub;
    if (suffix == "chm")
        return SourceKind::Chm;
    if (suffix == "doc" || suffix == "docx" || suffix == "ppt" || suffix == "pptx" || suffix == "xls" ||
        suffix == "xlsx" || suffix == "pages" || suffix == "key" || suffix == "numbers")
        return SourceKind::Office;
    return SourceKind::Unknown;
}

RenderResult renderToPdf(QString const& source, QString const& output, RenderOptions const& options)
{
    QFileInfo const in(source);
    if (source.isEmpty() || !in.exists())
        return failure(RenderError::SourceNotFound, "the source file does not exist: " + source);
    if (!in.isFile())
        return failure(RenderError::SourceNotFound, "the source is not a file: " + source);
    QFileInfo const out(output);
    if (output.isEmpty() || !out.absoluteDir().exists())
        return failure(RenderError::OutputDirNotFound,
                       "the output folder does not exist: " + out.absolutePath());
    if (out.isDir())
        return failure(RenderError::Failure, "the output path is a folder: " + output);
    if (out.exists() && out.canonicalFilePath() == in.canonicalFilePath())
        return failure(RenderError::Failure, "the output path is the source file itself");

    SourceKind const kind = sourceKind(source);
    if (kind == SourceKind::Unknown)
        return failure(RenderError::Unsupported,
                       QString("files of type \"%1\" cannot be converted to PDF").arg(in.suffix()));
    {
        QFile probe(source);
        if (!probe.open(QIODevice::ReadOnly))
            return failure(RenderError::CannotOpen, "cannot read the source: " + probe.errorString());
    }
    if (needsGui(kind) && !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return failure(RenderError::Failure, "laying out text needs a QGuiApplication");

    // Written beside the target and renamed at the end, so that a failure leaves nothing there.
    TemporaryOutput temporary(out);
    if (temporary.path().isEmpty())
        return failure(
            temporary.diskFull() ? RenderError::DiskFull : RenderError::Failure,
            QString("cannot write into the folder %1: %2").arg(out.absolutePath(), temporary.error()));

    RenderResult result = dispatch(kind, source, temporary.path(), options);
    if (!result.ok())
        return result;
    // Durable before the check and the rename: a late allocation failure shows here.
    int const synced = diskfull::syncFile(QFile::encodeName(temporary.path()));
    if (synced != 0)
        return failure(diskfull::isFull(synced) ? RenderError::DiskFull : RenderError::Failure,
                       "cannot write the PDF file: " + QString::fromLocal8Bit(std::strerror(synced)));
    PdfInspector::Report const check = PdfInspector::inspect(temporary.path());
    if (check.error != RenderError::None)
        return failure(RenderError::Failure, "the PDF written was not valid: " + check.message);
    if (!temporary.moveTo(output))
        return failure(RenderError::Failure,
                       QString("cannot move the PDF to %1: %2").arg(output, temporary.error()));
    result.pageCount = check.pages;
    return result;
}

} // namespace docrender
