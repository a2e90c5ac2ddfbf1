#include "logger/Logger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QTextStream>

#include <atomic>
#include <cstdio>

namespace Logger {
namespace {

const QString logTemplate = QString::fromUtf8(R"html(
<?xml version="1.0" encoding="utf-8" standalone="yes"?>
<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">
<html>
<head>
    <title>Quorvik Log</title>
    <meta http-equiv="Content-Type" content="text/html; charset=utf-8" />
    <style type="text/css" id="logCss">
        body {
            background: #18242b;
            color: #afc6d1;
            margin-right: 20px;
            margin-left: 20px;
            font-size: 14px;
            font-family: Arial, sans-serif, sans;
        }
        a {
            text-decoration: none;
        }
        a:link {
            color: #a0b2bb;
        }
        a:active {
            color: #f59504;
        }
        a:visited {
            color: #adc7d4;
        }
        a:hover {
            color: #e49115;
        }
        h1 {
            text-align: center;
        }
        h2 {
            color: #ebe5e5;
        }
        .d, .w, .c, .f, .i {
            padding: 3px;
            overflow: auto;
        }
        .d {
            background-color: #0f1011;
            color: #a8c1ce;
        }
        .i {
            background-color: #294453;
            color: #a8c1ce;
        }
        .w {
            background-color: #7993a0;
            color: #1b2329;
        }
        .c {
            background-color: #ff952b;
            color: #1d2930;
        }
        .f {
            background-color: #fc0808;
            color: #19242b;
        }
    </style>
</head>
<body>
    <h1>Log File</h1>
    <script type="text/JavaScript">
        function objHide(obj) {
            obj.style.display = "none";
        }
        function objShow(obj) {
            obj.style.display = "block";
        }
        function selectType() {
            var sel = document.getElementById("typeSelect");
            var classes = new Array("d", "i", "w", "c", "f");
            var chosen = sel.value;
            for (var i = 0; i < classes.length; i++) {
                var rows = document.getElementsByClassName(classes[i]);
                var show = (chosen == "a" || chosen == classes[i]);
                for (var j = 0; j < rows.length; j++) {
                    if (show) {
                        objShow(rows[j]);
                    } else {
                        objHide(rows[j]);
                    }
                }
            }
        }
    </script>
    <select id="typeSelect" onchange="selectType()">
        <option value="a" selected="selected">All</option>
        <option value="d">Debug</option>
        <option value="i">Info</option>
        <option value="w">Warning</option>
        <option value="c">Critical</option>
        <option value="f">Fatal</option>
    </select>
)html");
QString gLogDir;
int gLogMaxCount = 100;
std::atomic<Clock> gClock{nullptr};

const char typeList[] = "dwcfi";

QDateTime now()
{
    Clock clock = gClock.load();
    return clock ? clock() : QDateTime::currentDateTime();
}

char classLetter(QtMsgType type)
{
    int index = static_cast<int>(type);
    return index >= 0 && index < 5 ? typeList[index] : 'd';
}

// The page is opened in a browser: a file name like "<img onerror=...>.pdf" must stay text.
QString escapeHtml(QString const& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == '<')
            out += QLatin1String("&lt;");
        else if (c == '>')
            out += QLatin1String("&gt;");
        else if (c == '&')
            out += QLatin1String("&amp;");
        else
            out += c;
    }
    return out;
}

void echo(QString const& text)
{
    QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

void outputMessageAsync(QtMsgType type, QMessageLogContext const&, QString const& msg)
{
    static const QString messageTemp = QStringLiteral("<div class=\"%1\">%2</div>\r\n");
    // Never destroyed: Qt may still log from static destructors after main() returns.
    static QMutex& mutex = *new QMutex;
    static QFile& file = *new QFile;
    static QTextStream& textStream = *new QTextStream;
    static quint32 count = 0;

    QDateTime stamp = now();
    QString hour = stamp.toString(QStringLiteral("yyyy-MM-dd_hh"));
    QString text = QStringLiteral("%1 %2").arg(stamp.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), msg);
    QString row = messageTemp.arg(QChar::fromLatin1(classLetter(type)), escapeHtml(text));
    QString fileName = QStringLiteral("%1/%2_log.html").arg(gLogDir, hour);

    {
        QMutexLocker locker(&mutex);
        if (file.fileName() != fileName) {
            if (file.isOpen())
                file.close();
            file.setFileName(fileName);
            bool existed = file.exists();
            file.open(QIODevice::WriteOnly | QIODevice::Append);
            textStream.setDevice(&file);
            textStream.setCodec("UTF-8");
            if (!existed)
                textStream << logTemplate << "\r\n";
        }
        textStream << row;
        textStream.flush();
        count += static_cast<quint32>(row.size());
        if (count >= 512) {
            file.close();
            file.open(QIODevice::WriteOnly | QIODevice::Append);
            count = 0;
        }
    }
    echo(text);
}

void outputMessage(QtMsgType type, QMessageLogContext const&, QString const& msg)
{
    static QMutex& mutex = *new QMutex;
    QDateTime stamp = now();
    QString hour = stamp.toString(QStringLiteral("yyyy-MM-dd_hh"));
    QString text = QStringLiteral("%1 %2").arg(stamp.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), msg);
    QString row = QStringLiteral("<div class=\"%1\">%2</div>\r\n")
                      .arg(QChar::fromLatin1(classLetter(type)), escapeHtml(text));
    {
        QMutexLocker locker(&mutex);
        // The buffered handler's page: gLogDir is absolute already, below the home folder.
        QFile file(QStringLiteral("%1/%2_log.html").arg(gLogDir, hour));
        bool existed = file.exists();
        if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
            QTextStream stream(&file);
            stream.setCodec("UTF-8");
            if (!existed)
                stream << logTemplate << "\r\n";
            stream << row;
        }
    }
    echo(text);
}

} // namespace

void initLog(QString const& dir, int maxCount, bool async)
{
    qInstallMessageHandler(async ? outputMessageAsync : outputMessage);
    gLogDir = QDir::homePath() + dir;
    gLogMaxCount = maxCount;

    QDir folder(gLogDir);
    if (!folder.exists())
        folder.mkpath(QStringLiteral("."));
    // Only pages this logger named count and go: the folder may be shared with the user's
    // own files (a note, a crash report, or the home folder itself for an empty dir).
    static const QRegularExpression ownName(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}_\\d{2}_log\\.html$"));
    QStringList pages;
    for (QString const& name : folder.entryList({QStringLiteral("*_log.html")}, QDir::Files, QDir::Name)) {
        if (ownName.match(name).hasMatch())
            pages << name;
    }
    // Names start with the date and hour, so name order removes the oldest first.
    for (int i = 0; pages.size() - i > gLogMaxCount; ++i)
        folder.remove(pages.at(i));
}

void setClockForTesting(Clock clock)
{
    gClock.store(clock);
}

} // namespace Logger
