#pragma once

#include <QDateTime>
#include <QString>

// The process-wide Qt message handler that writes hourly HTML log pages.
namespace Logger {

// Installs the handler (the buffered one when async is true), points it at
// QDir::homePath() + dir and keeps at most maxCount files there.
void initLog(QString const& dir, int maxCount, bool async);

// Test seam: replaces the clock the handler stamps rows and names files with;
// nullptr restores the real clock.
using Clock = QDateTime (*)();
void setClockForTesting(Clock clock);

} // namespace Logger
