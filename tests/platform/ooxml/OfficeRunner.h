#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// LibreOffice headless with a profile of its own, so parallel test runs never collide.
class OfficeRunner
{
public:
    static bool available();
    // Converts `files` into `outputFolder` with soffice's --convert-to `filter`; false with
    // soffice's output in `log` when it fails or takes longer than two minutes.
    static bool convert(QStringList const& files, QString const& filter, QString const& outputFolder,
                        QString* log, QStringList const& extraArguments = {});
    // pdftotext's text of a PDF (raw order), or empty when poppler's tools are missing.
    static QString pdfText(QString const& pdf);
    // pdfinfo's page count, and the size of one page in points ("842 x 595").
    static int pdfPages(QString const& pdf);
    static QString pdfPageSize(QString const& pdf, int page);
};
