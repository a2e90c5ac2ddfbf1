#pragma once

#include "ooxml/DocumentInfo.h"
#include "ooxml/Picture.h"
#include "ooxml/TextRun.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QVector>

namespace ooxml {

/// An editable text box on a slide. The text starts at the frame's top-left corner without
/// inner margins and does not wrap; '\n' in a run breaks the line.
struct SlideTextBox
{
    QRectF frame; ///< Points from the slide's top-left corner.
    QVector<TextRun> runs;
};

/// A picture on a slide, its top-left corner at `position` (points).
struct SlidePicture
{
    Picture picture;
    QPointF position;
};

/// One slide. Pictures are drawn first, text boxes above them, each in list order.
struct Slide
{
    /// The size, in points, the slide's coordinates refer to; empty means the presentation's
    /// slide size. A slide of another shape is scaled uniformly to fit and centred.
    QSizeF size;
    QVector<SlideTextBox> textBoxes;
    QVector<SlidePicture> pictures;
};

/// A presentation; every slide of a PowerPoint file has the same size.
struct Presentation
{
    DocumentInfo info;
    QSizeF slideSize{720.0, 540.0}; ///< Points; see PptxWriter::fittedSlideSize().
    QVector<Slide> slides;
};

} // namespace ooxml
