#pragma once

#include <QString>

// Asks the metadata search ("mdfind" on the search path) whether an application bundle
// named <appName>.app is installed. Without such a tool the answer is "not installed".
class MacAppChecker
{
public:
    explicit MacAppChecker(QString appName);

    bool isInstalled();

private:
    QString m_appName;
};
