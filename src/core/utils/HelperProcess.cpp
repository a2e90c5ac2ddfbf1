#include "utils/HelperProcess.h"

#include <QFile>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

qint64 HelperProcess::residentBytes(qint64 pid)
{
    QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLongLong() * sysconf(_SC_PAGESIZE);
}

void HelperProcess::setupChildProcess()
{
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
}
