#include "pdf/MergeFunction.h"

#include "pdf/QpdfLogBridge.h"
#include "utils/CommonUtils.h"

#include <DiskFull.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtDebug>

#include <qpdf/ClosedFileInputSource.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

MergeFunction* MergeFunction::m_instance = nullptr;

namespace {

// A new file in dir under a random name after base, created exclusively: it is ours alone, so
// writing and removing it can never touch a user's file. *error is errno when none was made.
QString createOwnFile(QString const& dir, QString const& base, int* error)
{
    *error = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString suffix = QString::number(QRandomGenerator::global()->generate64(), 36);
        QFile file(QDir(dir).filePath(QStringLiteral("%1.%2.part").arg(base, suffix)));
        errno = 0;
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file.fileName();
        *error = errno;
        if (!file.exists())
            break; // the folder takes no file at all
    }
    return QString();
}

} // namespace

void qpdfAddPages(QPDF& pdf, std::vector<QPDFObjectHandle>& pages)
{
    for (auto& page : pages)
        pdf.addPage(page, false);
}

MergeFunction::MergeFunction(QObject* parent) : QObject(parent) {}

MergeFunction::~MergeFunction() = default;

MergeFunction* MergeFunction::instance()
{
    if (!m_instance)
        m_instance = new MergeFunction();
    return m_instance;
}

bool MergeFunction::creatorPdfMerge(QStringList& inputs, QString const& outDir, QString& outputPath)
{
    int const n = inputs.size();
    m_merged = 0;
    m_diskFull = false;
    if (n == 0) {
        qDebug() << "creatorPdfMerge" << __LINE__ << "Input file list is empty";
        return false;
    }
    QString name = QStringLiteral("Merge.pdf");
    CommonUtils::duplicateFilenameHandle(outDir, name);
    outputPath = QDir::cleanPath(outDir + QDir::separator() + name);
    QpdfLogBridge::install();

    auto readable = [](QString const& path) {
        QFileInfo info(path);
        return info.isFile() && info.isReadable();
    };
    // The first part that was created is the base: a failed first file must not sink the rest.
    int base = 0;
    while (base < n && !readable(inputs.at(base))) {
        qDebug() << "creatorPdfMerge" << __LINE__ << "File not found or not readable: " << inputs.at(base);
        ++base;
    }
    if (base == n) {
        qWarning() << "creatorPdfMerge" << __LINE__ << "Exception during PDF merge: no part exists";
        return false;
    }

    int createError = 0;
    QString partial = createOwnFile(outDir, name, &createError);
    if (partial.isEmpty()) {
        // A disk without room for even a directory entry is full too.
        m_diskFull = diskfull::isFull(createError);
        qWarning() << "creatorPdfMerge" << __LINE__ << "Exception during PDF merge: cannot write in"
                   << outDir;
        return false;
    }
    try {
        QPDF merged;
        QByteArray basePath = inputs.at(base).toUtf8();
        merged.processFile(basePath.constData(), "");
        // The merged document reads the parts' page data only when it is written. Each part is
        // opened around each read, so any number of parts fits the limit of open files.
        std::vector<std::unique_ptr<QPDF>> parts;
        m_merged = 1;
        for (int i = base + 1; i < n; ++i) {
            if (!readable(inputs.at(i))) {
                qDebug() << "creatorPdfMerge" << __LINE__
                         << "File not found or not readable: " << inputs.at(i);
                continue;
            }
            QByteArray partPath = inputs.at(i).toUtf8();
            auto source = std::make_shared<ClosedFileInputSource>(partPath.constData());
            source->stayOpen(true);
            auto part = std::make_unique<QPDF>();
            part->processInputSource(source, "");
            std::vector<QPDFObjectHandle> pages = part->getAllPages();
            qpdfAddPages(merged, pages);
            source->stayOpen(false);
            parts.push_back(std::move(part));
            ++m_merged;
            emit mergeProgress(60 + 40 * (i + 1) / n);
        }
        QByteArray partialPath = QFile::encodeName(partial);
        FILE* const stream = std::fopen(partialPath.constData(), "wbe");
        int const error = !stream ? errno : diskfull::writeStream(stream, [&](FILE* file) {
            QPDFWriter writer(merged, partialPath.constData(), file, false);
            // The merged file is the user's new document: no part's protection is carried over.
            writer.setPreserveEncryption(false);
            writer.write();
        });
        merged.closeInputSource();
        if (error != 0) {
            m_merged = 0;
            m_diskFull = diskfull::isFull(error);
            qWarning() << "creatorPdfMerge" << __LINE__ << "Exception during PDF merge: cannot write" << partial
                       << std::strerror(error);
            QFile::remove(partial);
            return false;
        }
    } catch (std::exception const& e) {
        m_merged = 0;
        qWarning() << "creatorPdfMerge" << __LINE__ << "Exception during PDF merge: " << e.what();
        QFile::remove(partial);
        return false;
    } catch (...) {
        m_merged = 0;
        qWarning() << "creatorPdfMerge" << __LINE__ << "Unknown exception during PDF merge";
        QFile::remove(partial);
        return false;
    }
    // The rename never replaces a file: a name taken since it was chosen gives way to the next.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (QFile::rename(partial, outputPath))
            return true;
        if (!QFileInfo::exists(outputPath))
            break;
        name = QStringLiteral("Merge.pdf");
        CommonUtils::duplicateFilenameHandle(outDir, name);
        outputPath = QDir::cleanPath(outDir + QDir::separator() + name);
    }
    qWarning() << "creatorPdfMerge" << __LINE__ << "Exception during PDF merge: cannot write" << outputPath;
    QFile::remove(partial);
    return false;
}
