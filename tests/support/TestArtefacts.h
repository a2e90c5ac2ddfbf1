#pragma once

#include <QPixmap>
#include <QString>

// Screenshots kept from a test run, in the folder DOCQUILL_ARTEFACTS names (the build tree's
// "artefacts" folder under CTest), to be looked at.
namespace TestArtefacts {

// Saves the picture as <folder>/<name>.png; returns the path, or empty when it was not saved.
QString save(QPixmap const& picture, QString const& name);

} // namespace TestArtefacts
