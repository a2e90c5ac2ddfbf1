#pragma once

#include "ooxml/Presentation.h"
#include "ooxml/WriteResult.h"

namespace ooxml {

/// Writes a Presentation as a PowerPoint package (.pptx) with one blank layout, its master and
/// a theme.
class PptxWriter
{
public:
    /// Writes `presentation` to `path` (its folder must exist) through a temporary file in the
    /// same folder. Nothing is left at `path` or beside it when this fails. A slide size that
    /// is not positive fails with WriteError::InvalidDocument.
    static WriteResult write(Presentation const& presentation, QString const& path,
                             ExistingFile existing = ExistingFile::Replace);

    /// The slide size written for a wished size, in points (1 point = 12700 EMU).
    ///
    /// PowerPoint accepts 72 to 4032 points (1 to 56 inches) a side. A size outside is scaled
    /// uniformly until it fits, keeping its shape, and all slide content is scaled with it
    /// (font sizes too). Only a shape more extreme than 56:1 is clamped and loses its aspect.
    static QSizeF fittedSlideSize(QSizeF const& points);
};

} // namespace ooxml
