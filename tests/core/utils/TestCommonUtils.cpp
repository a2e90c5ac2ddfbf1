#include "utils/CommonUtils.h"

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>

namespace {

void touch(QString const& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class TestCommonUtils : public QObject
{
    Q_OBJECT

private slots:
    void predictedName_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("keepName");
        QTest::addColumn<QStringList>("existingFiles");
        QTest::addColumn<QStringList>("existingDirs");
        QTest::addColumn<QString>("expected");

        QTest::newRow("free") << "/in/report.pdf"
                              << ".docx" << false << QStringList{} << QStringList{} << "report.docx";
        QTest::newRow("taken") << "/in/report.pdf"
                               << ".docx" << false << QStringList{"report.docx"} << QStringList{}
                               << "report_1.docx";
        QTest::newRow("taken twice") << "/in/report.pdf"
                                     << ".docx" << false << QStringList{"report.docx", "report_1.docx"}
                                     << QStringList{} << "report_2.docx";
        QTest::newRow("folder counts as taken")
            << "/in/report.pdf"
            << ".docx" << false << QStringList{} << QStringList{"report.docx"} << "report_1.docx";
        QTest::newRow("dotted free") << "/in/a.b.pdf"
                                     << ".docx" << false << QStringList{} << QStringList{} << "a.b.docx";
        QTest::newRow("dotted taken")
            << "/in/a.b.pdf"
            << ".docx" << false << QStringList{"a.b.docx"} << QStringList{} << "a_1.docx";
        QTest::newRow("folder output") << "/in/scan.pdf"
                                       << ".png" << true << QStringList{} << QStringList{} << "scan";
        QTest::newRow("folder output taken")
            << "/in/scan.pdf"
            << ".png" << true << QStringList{} << QStringList{"scan"} << "scan_1";
        QTest::newRow("dotted folder output") << "/in/a.b.pdf"
                                              << ".csv" << true << QStringList{} << QStringList{} << "a.b";
        QTest::newRow("dotted folder output taken")
            << "/in/a.b.pdf"
            << ".csv" << true << QStringList{"a.b"} << QStringList{} << "a_1.b";
        QTest::newRow("no suffix in input")
            << "/in/README"
            << ".txt" << false << QStringList{} << QStringList{} << "README.txt";
        QTest::newRow("counter past nine")
            << "/in/x.pdf"
            << ".txt" << false << QStringList{"x.txt",   "x_1.txt", "x_2.txt", "x_3.txt", "x_4.txt",
                                              "x_5.txt", "x_6.txt", "x_7.txt", "x_8.txt", "x_9.txt"}
            << QStringList{} << "x_10.txt";
        // The user's own "%1".."%3" are text, not places for the counter or the suffix.
        QTest::newRow("percent-one taken")
            << "/in/a%1b.pdf"
            << ".txt" << false << QStringList{"a%1b.txt"} << QStringList{} << "a%1b_1.txt";
        QTest::newRow("percent-two taken")
            << "/in/50%2.pdf"
            << ".txt" << false << QStringList{"50%2.txt"} << QStringList{} << "50%2_1.txt";
        QTest::newRow("percent-three taken")
            << "/in/%3.pdf"
            << ".txt" << false << QStringList{"%3.txt"} << QStringList{} << "%3_1.txt";
        QTest::newRow("percent folder output taken")
            << "/in/scan%1.pdf"
            << ".png" << true << QStringList{} << QStringList{"scan%1"} << "scan%1_1";
    }

    void predictedName()
    {
        QFETCH(QString, input);
        QFETCH(QString, suffix);
        QFETCH(bool, keepName);
        QFETCH(QStringList, existingFiles);
        QFETCH(QStringList, existingDirs);
        QFETCH(QString, expected);

        QTemporaryDir out;
        for (auto const& f : existingFiles)
            touch(out.filePath(f));
        for (auto const& d : existingDirs)
            QVERIFY(QDir(out.path()).mkdir(d));
        QCOMPARE(CommonUtils::generatePredictedFilename(input, out.path(), suffix, keepName),
                 out.path() + "/" + expected);
        // Nothing was created or replaced by predicting.
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
                 existingFiles.size() + existingDirs.size());
    }

    void duplicateHandleCreatesMissingFolder()
    {
        QTemporaryDir root;
        QString dir = root.filePath("a/b/c");
        QString name = "out.txt";
        CommonUtils::duplicateFilenameHandle(dir, name);
        QCOMPARE(name, QString("out.txt"));
        QVERIFY(QFileInfo(dir).isDir());
    }

    void duplicateHandleHiddenName()
    {
        QTemporaryDir root;
        touch(root.filePath(".hidden"));
        QString name = ".hidden";
        CommonUtils::duplicateFilenameHandle(root.path(), name);
        QCOMPARE(name, QString("_1.hidden"));
    }

    void duplicateHandleDanglingLinkIsTaken()
    {
        QTemporaryDir root;
        QVERIFY(QFile::link(root.filePath("nowhere/target"), root.filePath("out.txt")));
        QString name = "out.txt";
        CommonUtils::duplicateFilenameHandle(root.path(), name);
        QCOMPARE(name, QString("out_1.txt"));
    }

    // Two threads naming and writing outputs into one folder: every output lands in a file
    // of its own and keeps its content.
    void namingUnderContention()
    {
        QTemporaryDir root;
        QString dir = root.filePath("out");
        constexpr int perThread = 150;
        std::atomic<int> collisions{0};
        auto work = [&](QByteArray tag) {
            for (int i = 0; i < perThread; ++i) {
                for (;;) {
                    QString name = "report.docx";
                    CommonUtils::duplicateFilenameHandle(dir, name);
                    QFile file(dir + "/" + name);
                    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
                        file.write(tag + QByteArray::number(i));
                        break;
                    }
                    ++collisions; // the other thread took the name between naming and writing
                }
            }
        };
        QThread* a = QThread::create(work, QByteArray("a"));
        QThread* b = QThread::create(work, QByteArray("b"));
        a->start();
        b->start();
        QVERIFY(a->wait(60000));
        QVERIFY(b->wait(60000));
        delete a;
        delete b;

        QStringList files = QDir(dir).entryList(QDir::Files);
        QCOMPARE(files.size(), 2 * perThread);
        QSet<QByteArray> contents;
        for (auto const& f : files) {
            QFile file(dir + "/" + f);
            QVERIFY(file.open(QIODevice::ReadOnly));
            contents.insert(file.readAll());
            QVERIFY2(f == "report.docx" || QRegularExpression("^report_\\d+\\.docx$").match(f).hasMatch(),
                     qPrintable(f));
        }
        QCOMPARE(contents.size(), 2 * perThread);
        qInfo() << "name collisions retried:" << collisions.load();
    }

    void suffixChecks_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("photo");
        QTest::addColumn<bool>("creatable");
        QTest::addColumn<bool>("dfCreatable");
        QTest::newRow("upper png") << "/x/x.PNG" << true << true << false;
        QTest::newRow("tif") << "x.tif" << true << true << false;
        QTest::newRow("bare name png") << "/x/png" << false << false << false;
        QTest::newRow("doc") << "a.doc" << false << true << false;
        QTest::newRow("docx") << "a.DOCX" << false << true << true;
        QTest::newRow("chm") << "a.chm" << false << true << true;
        QTest::newRow("pdf") << "a.pdf" << false << true << false;
        QTest::newRow("xls not creatable") << "a.xls" << false << false << false;
        QTest::newRow("dot folder") << "/some.dir/file" << false << false << false;
    }

    void suffixChecks()
    {
        QFETCH(QString, path);
        QFETCH(bool, photo);
        QFETCH(bool, creatable);
        QFETCH(bool, dfCreatable);
        QCOMPARE(CommonUtils::CheckIsPhoto(path), photo);
        QCOMPARE(CommonUtils::CheckIsCreatableFormats(path), creatable);
        QCOMPARE(CommonUtils::CheckIsDFCreatableFormats(path), dfCreatable);
    }

    void fileTypeFilters()
    {
        QCOMPARE(CommonUtils::getFileTypeFilter(true),
                 QString("*.pdf *.bmp *.gif *.tiff *.tif *.jpeg *.png *.jpg "));
        QString creator = CommonUtils::getFileTypeFilter(false);
        QVERIFY(creator.startsWith("*.pages *.key *.numbers" + QString(17, ' ') + "*.jpg"));
        QVERIFY(creator.contains("*.png" + QString(16, ' ') + "*.txt *.pdf  *.docx"));
        QVERIFY(creator.endsWith("*.xlsx *.rtf"));
    }

    void nonRounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("expected");
        QTest::newRow("cut not rounded") << 1.2399 << 2 << 1.23;
        QTest::newRow("negative") << -1.2399 << 2 << -1.23;
        QTest::newRow("no decimals") << 2.5 << 0 << 2.0;
        QTest::newRow("exact") << 3.5 << 2 << 3.5;
        QTest::newRow("binary 0.29") << 0.29 << 2 << 0.29;
        QTest::newRow("below a cent") << 0.009 << 2 << 0.0;
        QTest::newRow("large size") << 1048575.999 << 2 << 1048575.99;
    }

    void nonRounding()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(double, expected);
        QCOMPARE(CommonUtils::getNonRoundingNumber(value, decimals), expected);
    }

    void helpersNothingCalls()
    {
        QTemporaryDir root;
        QString path = root.filePath("a.txt");
        QCOMPARE(CommonUtils::getTmpFileName(path, "tag", 3), path);
        touch(path);
        touch(root.filePath("tag_3.txt"));
        QCOMPARE(CommonUtils::getTmpFileName(path, "tag", 3), root.filePath("tag_4.txt"));
        QCOMPARE(CommonUtils::getTmpFileName(path, "v%3", 3), root.filePath("v%3_3.txt"));
        QCOMPARE(CommonUtils::FillIn("ab", 4, QString(), "|"), QString("ab--|"));
        QCOMPARE(CommonUtils::FillIn("abcdef", 4, QString(), "|"), QString("abcdef|"));

        QList<QString> parents;
        CommonUtils::getAllParentPath(root.path(), parents);
        QCOMPARE(parents.first(), root.path());
        QCOMPARE(parents.last(), QString("/"));
        parents.clear();
        CommonUtils::getAllParentPath(root.filePath("missing"), parents);
        QVERIFY(parents.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCommonUtils)
#include "TestCommonUtils.moc"
