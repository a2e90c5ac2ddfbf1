#pragma once

#include <QByteArray>
#include <QRectF>
#include <QStringList>
#include <QVector>

// The text frames of a Word body where they stand on their pages: paragraphs one after
// another with the same frame properties share a frame, which is as high as its lines at
// their exact pitch (and its paragraphs' space before).
struct DocxFrame
{
    int section = 0;   // from 0
    QRectF box;        // points from the page's top-left corner
    QStringList lines; // the frame's lines as its line breaks and paragraphs set them
};

QVector<DocxFrame> docxFrames(QByteArray const& documentXml);
// The pairs of frames of one section whose rectangles overlap by more than @p tolerance
// points both ways.
QVector<QPair<int, int>> overlappingFrames(QVector<DocxFrame> const& frames, double tolerance = 0.5);
