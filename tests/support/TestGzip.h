#pragma once

#include <QByteArray>

// A gzip member holding head, then fillCount copies of fill, then tail. The expanded text is
// never held in memory, so a small body that expands to gigabytes costs only its own size.
QByteArray gzipped(QByteArray const& head, qint64 fillCount = 0, char fill = ' ',
                   QByteArray const& tail = {});
