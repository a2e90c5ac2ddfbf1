#pragma once

#include <QList>
#include <QPoint>

#include <functional>

class QWindow;

// Drives a drag with the real window system, so it needs a display (the XVFB tests): presses at
// `from` (window coordinates), moves through `points` one after the other, runs `whileOver` with
// the drag over the last point, releases there, and returns once the drag has ended.
void dragInWindow(QWindow* window, QPoint from, QList<QPoint> const& points,
                  std::function<void()> const& whileOver = {});
