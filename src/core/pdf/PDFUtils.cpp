#include "pdf/PDFUtils.h"

#include "common/ProductConstants.h"
#include "pdf/QpdfLogBridge.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtDebug>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace {

QSet<int> wantedPages(QStringList const& ranges)
{
    QSet<int> wanted;
    for (auto const& entry : ranges) {
        if (!entry.contains('-')) {
            wanted.insert(entry.toInt());
            continue;
        }
        QStringList parts = entry.split('-');
        int from = parts.value(0).toInt();
        int to = parts.value(1).toInt();
        for (int page = from; page <= to; ++page)
            wanted.insert(page);
    }
    return wanted;
}

} // namespace

QString PDFUtils::pdfPagesCut(QString const& input, QString const& password, QStringList const& ranges)
{
    if (ranges.isEmpty())
        return input;
    QpdfLogBridge::install();

    QString tempDir = QDir::homePath() + g_tempDirPath;
    QString output = tempDir + QFileInfo(input).fileName();
    QString partial = output + QStringLiteral(".part");
    QDir().mkpath(tempDir);
    // An earlier cut of another folder's file of the same name must not stand in for this one.
    QFile::remove(output);
    QFile::remove(partial);

    try {
        QPDF source;
        QByteArray inputBytes = input.toUtf8();
        QByteArray passwordBytes = password.toUtf8();
        source.processFile(inputBytes.constData(), passwordBytes.constData());
        std::vector<QPDFObjectHandle> pages = source.getAllPages();
        qDebug() << "pdfPagesCut" << __LINE__ << "ranges " + ranges.join(' ');
        qDebug() << "pdfPagesCut" << __LINE__ << "pdfHandle.size " << pages.size();

        QSet<int> wanted = wantedPages(ranges);
        QPDF cut;
        cut.emptyPDF();
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (wanted.contains(static_cast<int>(i) + 1))
                cut.addPage(pages[i], false);
        }
        qDebug() << "pdfPagesCut" << __LINE__ << "Page cut:" << output;
        QByteArray partialBytes = partial.toUtf8();
        QPDFWriter writer(cut, partialBytes.constData());
        writer.write();
        cut.closeInputSource();
        source.closeInputSource();
        if (!QFile::rename(partial, output)) {
            qWarning() << "pdfPagesCut" << __LINE__ << "cannot move the cut into place:" << output;
            QFile::remove(partial);
            return output;
        }
        qDebug() << "pdfPagesCut" << __LINE__ << "Page cut finished";
    } catch (std::exception const& e) {
        qWarning() << "pdfPagesCut" << __LINE__ << e.what();
        QFile::remove(partial);
    }
    return output;
}
