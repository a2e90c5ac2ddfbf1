#pragma once

#include <QString>

namespace pdfconv {

// The library's log, set by LibraryManager::SetLogger: failures as warnings, details as
// debug messages, both through Qt's message handler so they land in the application's log.
class SdkLog
{
public:
    static void configure(bool enabled, bool verbose);
    static bool verbose();
    static void failure(QString const& text);
    static void detail(QString const& text);
};

} // namespace pdfconv
