#pragma once

#include "DocRender.h"

namespace docrender {

// Converts Office, iWork and RTF documents with LibreOffice in headless mode: a private profile
// folder per run (two runs never share a profile lock), a copy of the source in a private work
// folder (LibreOffice leaves lock files beside what it opens), and a time limit after which the
// whole process group is killed.
class OfficeConverter
{
public:
    static RenderResult render(QString const& source, QString const& pdfPath, RenderOptions const& options);
    // The LibreOffice program to run, or an empty string when it is not installed.
    static QString findProgram(RenderOptions const& options);
};

} // namespace docrender
