#include "pdf/MergeFunction.h"

#include "pdf/QpdfLogBridge.h"
#include "utils/CommonUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <memory>

MergeFunction* MergeFunction::m_instance = nullptr;

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

    QString partial = outputPath + QStringLiteral(".part");
    try {
        QPDF merged;
        QByteArray basePath = inputs.at(base).toUtf8();
        merged.processFile(basePath.constData(), "");
        // Parts stay open until the merged document is written: it reads their pages then.
        std::vector<std::unique_ptr<QPDF>> parts;
        for (int i = base + 1; i < n; ++i) {
            if (!readable(inputs.at(i))) {
                qDebug() << "creatorPdfMerge" << __LINE__
                         << "File not found or not readable: " << inputs.at(i);
                continue;
            }
            auto part = std::make_unique<QPDF>();
            QByteArray partPath = inputs.at(i).toUtf8();
            part->processFile(partPath.constData(), "");
            std::vector<QPDFObjectHandle> pages = part->getAllPages();
            qpdfAddPages(merged, pages);
            parts.push_back(std::move(part));
            emit mergeProgress(60 + 40 * (i + 1) / n);
        }
        QByteArray partialPath = partial.toUtf8();
        QPDFWriter writer(merged, partialPath.constData());
        writer.write();
        for (auto& part : parts)
            part->closeInputSource();
        merged.closeInputSource();
        if (!QFile::rename(partial, outputPath)) {
            qWarning() << "creatorPdfMerge" << __LINE__ << "Exception during PDF merge: cannot write"
                       << outputPath;
            QFile::remove(partial);
            return false;
        }
        return true;
    } catch (std::exception const& e) {
        qWarning() << "creatorPdfMerge" << __LINE__ << "Exception during PDF merge: " << e.what();
    } catch (...) {
        qWarning() << "creatorPdfMerge" << __LINE__ << "Unknown exception during PDF merge";
    }
    QFile::remove(partial);
    return false;
}
