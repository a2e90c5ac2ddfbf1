#include "PdfInspector.h"

#include <QFile>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

namespace docrender {

PdfInspector::Report PdfInspector::inspect(QString const& path)
{
    Report report;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(path).constData());
        report.pages = int(QPDFPageDocumentHelper(pdf).getAllPages().size());
        if (report.pages == 0) {
            report.error = RenderError::CannotOpen;
            report.message = "the PDF has no pages";
        }
    } catch (QPDFExc const& e) {
        report.error =
            e.getErrorCode() == qpdf_e_password ? RenderError::PasswordProtected : RenderError::CannotOpen;
        report.message = report.error == RenderError::PasswordProtected
                             ? QStringLiteral("the PDF is protected by a password")
                             : "the PDF is damaged: " + QString::fromStdString(e.getMessageDetail());
    } catch (std::exception const& e) {
        report.error = RenderError::CannotOpen;
        report.message = QString("the PDF cannot be read: %1").arg(e.what());
    }
    return report;
}

} // namespace docrender
