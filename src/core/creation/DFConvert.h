#pragma once

#include <QString>

// Makes a PDF of a document with the document layer, every page scaled onto an A4 page.
// 0 on success, -1 on failure.
int DFConvert(const QString& input, const QString& output);

// Remember a folder the user granted access to, and regain access to it later.
void saveSecurityBookmark(QString key, QString folderPath);
void recoverySecurityBookmark(QString key);
