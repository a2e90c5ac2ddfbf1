#pragma once

#include "converters/PDFConverter.h"
#include "converters/SdkBoundary.h"

#include <QObject>
#include <QStringList>

#include <memory>

// Two-stage conversion: the SDK writes an Office file into the Temp folder, then a script
// run by osascript has the iWork application export it to the output path. A Cancel or a script
// that makes no end stops the script with everything it started.
class PDF2iWork : public PDFConverter
{
public:
    explicit PDF2iWork(QString const& scriptName);
    ~PDF2iWork() override;

    int convert(QString const& input, QString const& output, QString const& password,
                ConvertOption const& option) override = 0;

    // Runs the script with the arguments; the number it prints (0 when it prints none).
    int runScript(QStringList& arguments);

    // Test seam: the program that runs the scripts instead of /usr/bin/osascript.
    static void setScriptRunnerForTesting(QString const& program);
    // Test seam: how long a script may run (0: the usual limit).
    static void setTimeLimitForTesting(int seconds);

protected:
    // The Temp-folder path for the intermediate Office file, unique there.
    static QString intermediatePath(QString const& input, QString const& pattern);
    // Steps shared by the three targets once the options record is filled.
    int convertThrough(SdkBoundary::StartFn start, QString const& input, QString const& output,
                       QString const& password, pdfconv::base::ConvertOptions const& record,
                       QString const& pattern);

    QString m_scriptPath;

private:
    bool stopRequested() const;

    struct Stop;
    std::shared_ptr<Stop> m_stop;
    QMetaObject::Connection m_stopConnection;
};
