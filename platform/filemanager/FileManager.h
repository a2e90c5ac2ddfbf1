#pragma once

#include <QString>

/// Shows files in the desktop's file manager.
namespace FileManager {

/// Asks the file manager to open the folder of @p path with the file selected, through the
/// freedesktop interface org.freedesktop.FileManager1 (method ShowItems) on the session bus.
/// Returns at once; when no file manager answers, the containing folder is opened with the
/// desktop's default handler instead. An empty path does nothing.
void showItem(QString const& path);

} // namespace FileManager
