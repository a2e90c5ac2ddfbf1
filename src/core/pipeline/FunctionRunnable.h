#pragma once

#include "common/ConvertTypes.h"

#include <QObject>
#include <QRunnable>
#include <QString>

class FileItem;

// A runnable that converts or creates one item by mode; nothing constructs it.
class FunctionRunnable : public QObject, public QRunnable
{
    Q_OBJECT
    Q_DISABLE_COPY(FunctionRunnable)

public:
    FunctionRunnable(FunctionMode mode, FileItem* item, QString const& outDir, QObject* parent = nullptr);
    ~FunctionRunnable() override;

    void run() override;

signals:
    void finished(int code);

private:
    FileItem* m_item;
    QString m_outputDir;
    FunctionMode m_mode;
};
