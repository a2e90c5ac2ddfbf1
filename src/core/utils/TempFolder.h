#pragma once

#include <QString>

// The Temp folder holds one working folder per running copy of the program, each beside a
// lock file that its copy holds while it runs. A copy works only in its own folder, so a copy
// starting or quitting never touches another's working files.
class TempFolder
{
public:
    // This copy's working folder, ending in "/": made and locked on first use (and again when
    // it was removed), below the Temp folder of the home folder of that moment, readable by
    // its owner alone; the Temp folder itself when it cannot be made. Any thread.
    static QString path();
    // Start-up: removes from Temp what belongs to no running copy (folders whose lock is
    // stale, or another machine's lock a day old; entries without a lock) and keeps every
    // running copy's folder. A link is removed as a link, never followed.
    static void removeAbandoned();
};
