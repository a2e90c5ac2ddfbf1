#include "pdf/PDFUtils.h"

#include "pdf/PageRanges.h"
#include "pdf/QpdfLogBridge.h"
#include "utils/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QtDebug>

#include <DiskFull.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>

namespace {

QString const s_workPrefix = QStringLiteral("work-");

// Creates the file without replacing anything, readable by its owner alone.
bool createPrivateFile(QString const& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    if (!file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)) {
        file.remove();
        return false;
    }
    return true;
}

} // namespace

QString PDFUtils::makeWorkingCopy(QString const& fileName)
{
    QString tempDir = TempFolder::path();
    // QTemporaryDir makes the folder readable by its owner alone.
    QTemporaryDir folder(tempDir + s_workPrefix + QStringLiteral("XXXXXX"));
    if (!folder.isValid() || fileName.isEmpty()) {
        qWarning() << "makeWorkingCopy" << __LINE__ << "cannot make a working folder in" << tempDir;
        return QString();
    }
    QString path = folder.filePath(fileName);
    if (!createPrivateFile(path)) {
        qWarning() << "makeWorkingCopy" << __LINE__ << "cannot create" << path;
        return QString();
    }
    folder.setAutoRemove(false);
    return path;
}

void PDFUtils::removeWorkingCopy(QString const& path)
{
    if (path.isEmpty())
        return;
    QFileInfo folder(QFileInfo(path).absolutePath());
    QString tempDir = QDir(TempFolder::path()).absolutePath();
    if (folder.absolutePath() != tempDir || !folder.fileName().startsWith(s_workPrefix))
        return;
    QFile::remove(path);
    QDir().rmdir(folder.absoluteFilePath());
}

QString PDFUtils::pdfPagesCut(QString const& input, QString const& password, QStringList const& ranges,
                              int* pages)
{
    auto report = [pages](int count) {
        if (pages)
            *pages = count;
    };
    report(-1);
    if (ranges.isEmpty())
        return input;
    QpdfLogBridge::install();

    // The cut keeps the input's file name (outputs are named after it) in a folder of its own.
    QString output = makeWorkingCopy(QFileInfo(input).fileName());
    if (output.isEmpty())
        return output;
    try {
        QPDF source;
        QByteArray inputBytes = input.toUtf8();
        QByteArray passwordBytes = password.toUtf8();
        source.processFile(inputBytes.constData(), passwordBytes.constData());
        std::vector<QPDFObjectHandle> all = source.getAllPages();
        qDebug() << "pdfPagesCut" << __LINE__ << "ranges " + ranges.join(' ');
        qDebug() << "pdfPagesCut" << __LINE__ << "pdfHandle.size " << all.size();

        QSet<int> wanted = PageRanges::pages(ranges, static_cast<int>(all.size()));
        QPDF cut;
        cut.emptyPDF();
        int selected = 0;
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (wanted.contains(static_cast<int>(i) + 1)) {
                cut.addPage(all[i], false);
                ++selected;
            }
        }
        if (selected == 0) {
            qDebug() << "pdfPagesCut" << __LINE__ << "no page of the document is in the ranges";
            removeWorkingCopy(output);
            report(0);
            return output;
        }
        qDebug() << "pdfPagesCut" << __LINE__ << "Page cut:" << output;
        QByteArray outputBytes = output.toUtf8();
        QPDFWriter writer(cut, outputBytes.constData());
        writer.write();
        cut.closeInputSource();
        source.closeInputSource();
        qDebug() << "pdfPagesCut" << __LINE__ << "Page cut finished";
        report(selected);
    } catch (std::exception const& e) {
        qWarning() << "pdfPagesCut" << __LINE__ << e.what();
        removeWorkingCopy(output);
    }
    return output;
}

int PDFUtils::copyToNewFile(QString const& input, QString const& output)
{
    QFile in(input);
    if (!in.open(QIODevice::ReadOnly))
        return ENOENT;
    diskfull::File out(output);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return errno ? errno : EEXIST;
    int error = 0;
    while (error == 0 && !in.atEnd()) {
        QByteArray const chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            error = EIO;
        else if (out.write(chunk) != chunk.size())
            error = out.diskFull() ? ENOSPC : EIO;
    }
    out.close();
    if (error == 0)
        error = diskfull::syncFile(QFile::encodeName(output));
    if (error != 0) {
        qWarning() << "copyToNewFile" << __LINE__ << "cannot write" << output << std::strerror(error);
        out.remove();
    }
    return error;
}

bool PDFUtils::writeUnprotected(QString const& input, QString const& password, QString const& output)
{
    QpdfLogBridge::install();
    if (!createPrivateFile(output)) {
        qWarning() << "writeUnprotected" << __LINE__ << "cannot create" << output;
        return false;
    }
    try {
        QPDF pdf;
        QByteArray inputBytes = input.toUtf8();
        QByteArray passwordBytes = password.toUtf8();
        pdf.processFile(inputBytes.constData(), passwordBytes.constData());
        QByteArray outputBytes = output.toUtf8();
        QPDFWriter writer(pdf, outputBytes.constData());
        writer.setPreserveEncryption(false);
        writer.write();
        pdf.closeInputSource();
        return true;
    } catch (std::exception const& e) {
        qWarning() << "writeUnprotected" << __LINE__ << e.what();
    }
    QFile::remove(output);
    return false;
}

QString PDFUtils::unprotectedWorkingCopy(QString const& input, QString const& password)
{
    QString path = makeWorkingCopy(QFileInfo(input).fileName());
    if (path.isEmpty())
        return path;
    // The copy is written anew in the private folder just made for it.
    QFile::remove(path);
    if (writeUnprotected(input, password, path))
        return path;
    removeWorkingCopy(path);
    return QString();
}
