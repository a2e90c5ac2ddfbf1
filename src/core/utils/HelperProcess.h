#pragma once

#include <QProcess>

// A helper program that leads a process group of its own, so that stopping the group stops
// whatever it started, and that does not outlive the application.
class HelperProcess : public QProcess
{
public:
    using QProcess::QProcess;

    // The memory the helper holds in RAM, in bytes; 0 once it is gone.
    static qint64 residentBytes(qint64 pid);

protected:
    void setupChildProcess() override;
};
