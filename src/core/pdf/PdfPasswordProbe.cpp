#include "pdf/PdfPasswordProbe.h"

#include <QFile>
#include <QtDebug>

#include <poppler-document.h>
#include <poppler-global.h>

#include <memory>
#include <mutex>

namespace {

void toLog(std::string const& message, void*)
{
    qDebug() << "poppler:" << QString::fromStdString(message);
}

} // namespace

PdfPasswordProbe::State PdfPasswordProbe::probe(QString const& path, QString const& password, int* pageCount)
{
    static std::once_flag logRoute;
    std::call_once(logRoute, [] { poppler::set_debug_error_function(toLog, nullptr); });
    std::string const pass = password.toStdString();
    std::unique_ptr<poppler::document> document(
        poppler::document::load_from_file(QFile::encodeName(path).toStdString(), pass, pass));
    if (!document)
        return CannotOpen;
    if (document->is_locked())
        return NeedsPassword;
    if (pageCount)
        *pageCount = document->pages();
    return Open;
}
