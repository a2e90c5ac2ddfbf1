#include "SdkLog.h"

#include <QDebug>

#include <atomic>

namespace pdfconv {

namespace {
std::atomic<bool> g_enabled{true};
std::atomic<bool> g_verbose{false};
} // namespace

void SdkLog::configure(bool enabled, bool verbose)
{
    g_enabled = enabled;
    g_verbose = verbose;
}

bool SdkLog::verbose()
{
    return g_verbose;
}

void SdkLog::failure(QString const& text)
{
    if (g_enabled)
        qWarning().noquote() << "pdfconv:" << text;
}

void SdkLog::detail(QString const& text)
{
    if (g_verbose)
        qDebug().noquote() << "pdfconv:" << text;
}

} // namespace pdfconv
