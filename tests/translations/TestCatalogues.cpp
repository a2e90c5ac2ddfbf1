#include <QtTest>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

// Every catalogue against the texts the sources hold now: each text translated and finished, no
// left-overs, and the same placeholders as its source.
class TestCatalogues : public QObject
{
    Q_OBJECT

    struct Message
    {
        QString translation;
        QString type; // empty when finished
    };
    using Catalogue = QMap<QPair<QString, QString>, Message>; // (context, source)

    Catalogue m_sources;

    static Catalogue read(QString const& path)
    {
        Catalogue catalogue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return catalogue;
        QXmlStreamReader xml(&file);
        QString context, source;
        while (!xml.atEnd()) {
            if (!xml.readNextStartElement())
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("translation")) {
                QString const type = xml.attributes().value("type").toString();
                catalogue.insert({context, source}, {xml.readElementText(QXmlStreamReader::IncludeChildElements), type});
            }
        }
        return catalogue;
    }

    static QStringList placeholders(QString const& text)
    {
        static QRegularExpression const marker(QStringLiteral("%(\\d+)"));
        QStringList found;
        for (auto it = marker.globalMatch(text); it.hasNext();)
            found << it.next().captured(0);
        found.sort();
        return found;
    }

private slots:
    void initTestCase()
    {
        QTemporaryDir dir;
        QString const fresh = dir.filePath("sources.ts");
        QProcess lupdate;
        lupdate.start(QStringLiteral(DOCQUILL_LUPDATE), {"-silent", "-no-obsolete", "-locations", "none",
                                                         QStringLiteral(DOCQUILL_SOURCES), "-ts", fresh});
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        m_sources = read(fresh);
        QVERIFY(m_sources.size() > 100);
    }

    void catalogue_data()
    {
        QTest::addColumn<QString>("path");
        for (QString const& path : QStringLiteral(DOCQUILL_CATALOGUES).split(','))
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
    }

    void catalogue()
    {
        QFETCH(QString, path);
        Catalogue const catalogue = read(path);
        QStringList faults;
        for (auto it = m_sources.cbegin(); it != m_sources.cend(); ++it) {
            QString const where = it.key().first + " \"" + it.key().second + "\"";
            if (!catalogue.contains(it.key())) {
                faults << "missing: " + where;
                continue;
            }
            Message const message = catalogue.value(it.key());
            if (!message.type.isEmpty() || message.translation.isEmpty())
                faults << "not finished: " + where;
            else if (placeholders(message.translation) != placeholders(it.key().second))
                faults << "placeholders differ: " + where;
        }
        for (auto it = catalogue.cbegin(); it != catalogue.cend(); ++it)
            if (!m_sources.contains(it.key()))
                faults << "no longer in the sources: " + it.key().first + " \"" + it.key().second + "\"";
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestCatalogues)
#include "TestCatalogues.moc"
