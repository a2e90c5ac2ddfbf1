#include "pdf/QpdfLogBridge.h"

#include <QtTest>

#include <qpdf/QPDF.hh>

#include <unistd.h>

namespace {
QStringList g_messages;
void collect(QtMsgType, QMessageLogContext const&, QString const& msg)
{
    g_messages << msg;
}
} // namespace

class TestQpdfLogBridge : public QObject
{
    Q_OBJECT

private slots:
    // A recoverable damage makes qpdf warn; the warning lands in the Qt log, not on stderr.
    void warningsReachQtLog()
    {
        QpdfLogBridge::install();
        QpdfLogBridge::install();
        QByteArray pdf = "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
                         "2 0 obj<</Type/Pages/Kids[]/Count 0>>endobj\n"
                         "trailer<</Root 1 0 R>>\n%%EOF\n"; // no xref table: qpdf reconstructs and warns

        QTemporaryFile capture;
        QVERIFY(capture.open());
        fflush(stderr);
        int saved = dup(2);
        dup2(capture.handle(), 2);
        auto previous = qInstallMessageHandler(collect);
        QPDF doc;
        doc.processMemoryFile("damaged.pdf", pdf.constData(), static_cast<size_t>(pdf.size()));
        doc.getAllPages();
        qInstallMessageHandler(previous);
        fflush(stderr);
        dup2(saved, 2);
        close(saved);

        QVERIFY(!g_messages.isEmpty());
        QVERIFY(g_messages.first().startsWith("qpdf: "));
        QVERIFY(g_messages.join('\n').contains("damaged.pdf"));
        capture.seek(0);
        QCOMPARE(capture.readAll(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestQpdfLogBridge)
#include "TestQpdfLogBridge.moc"
