#pragma once

#include <QString>

// Loads the application's style sheet from a file.
class LoadFileQss
{
public:
    // Latin-1 text up to the first NUL byte. A file that cannot be opened leaves the current
    // style sheet as it is, silently.
    static void setQssStyle(QString const& path);
};
