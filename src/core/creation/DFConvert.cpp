#include "creation/DFConvert.h"

#include <QtDebug>

int DFConvert(const QString& input, const QString&)
{
    qWarning() << "DFConvert" << __LINE__ << "DFConvert Error: no document layer for" << input;
    return -1;
}

void saveSecurityBookmark(QString, QString) {}

void recoverySecurityBookmark(QString) {}
