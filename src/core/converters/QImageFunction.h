#pragma once

#include <QString>
#include <QStringList>

// Joins page images one below the other into a single image.
class QImageFunction
{
public:
    QImageFunction() = default;

    // Draws images top to bottom with separator lines and a border of the given width and
    // ARGB colour, and saves to out. The images' folder is removed only after the save
    // succeeded. False for fewer than two images or a failed save.
    static bool imageMosaic(QStringList& images, QString const& out, unsigned int lineWidth,
                            unsigned int color);
};
