#include "creation/ExeStarter.h"
#include "items/FileItemList.h"
#include "items/PDFFileItem.h"
#include "pdf/PdfProbeProcess.h"

#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <qpdf/QPDF.hh>

#include <cstddef>
#include <ctime>
#include <memory>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizers replace malloc; GCC ships no header for their allocator statistics.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

// Bytes the process holds allocated on the heap right now.
qint64 liveHeap()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#endif
}

// Processor time the calling thread has used, in milliseconds.
double threadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

} // namespace

class TestFileItemList : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QString m_plain, m_userLocked, m_ownerOnly, m_damaged;

    QString touch(QString const& name)
    {
        QString path = m_home.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        return path;
    }

    static int openFiles()
    {
        return QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::System).size();
    }

private slots:
    void initTestCase()
    {
        m_plain = m_home.filePath("plain.pdf");
        QVERIFY(TestPdf::writePages(m_plain, 3));
        m_userLocked = m_home.filePath("locked.pdf");
        QVERIFY(TestPdf::encrypt(m_plain, m_userLocked, "user", "owner"));
        m_ownerOnly = m_home.filePath("owner.pdf");
        QVERIFY(TestPdf::encrypt(m_plain, m_ownerOnly, "", "owner", 128));
        m_damaged = m_home.filePath("damaged.pdf");
        QFile damaged(m_damaged);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("%PDF-1.7\n%garbage only\n");
    }

    void kinds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<bool>("pdf");
        QTest::newRow("upper PDF") << "A.PDF"
                                   << "" << true;
        QTest::newRow("pdfx") << "a.pdfx"
                              << "" << true;
        QTest::newRow("tif") << "a.tif"
                             << "Image-3x.png" << false;
        QTest::newRow("htm") << "a.htm"
                             << "OTHER-3x.png" << false;
        QTest::newRow("docm") << "a.DOCM"
                              << "WORD-3x.png" << false;
        QTest::newRow("ppsx") << "a.ppsx"
                              << "PPT-3x.png" << false;
        QTest::newRow("dxf") << "a.dxf"
                             << "CAD-3x.png" << false;
        QTest::newRow("xltm") << "a.xltm"
                              << "EXCEL-3x.png" << false;
        QTest::newRow("key") << "a.key"
                             << "Key.png" << false;
        QTest::newRow("chm") << "a.chm"
                             << "OTHER-3x.png" << false;
        QTest::newRow("no suffix") << "README"
                                   << "OTHER-3x.png" << false;
    }

    void kinds()
    {
        QFETCH(QString, name);
        QFETCH(QString, icon);
        QFETCH(bool, pdf);
        QString path = pdf ? m_home.filePath(name) : touch(name);
        if (pdf)
            QVERIFY(QFile::copy(m_plain, path) || QFile::exists(path));
        FileItemList list(ModeConvert);
        list.addFiles({path});
        QCOMPARE(list.fileCount(), 1);
        FileItem* item = list.getFileItem(0);
        QCOMPARE(qobject_cast<PDFFileItem*>(item) != nullptr, pdf);
        QCOMPARE(item->getFileIcon(), pdf ? QString("PDF-3x.png") : icon);
        QCOMPARE(item->pageCount(), pdf ? 3 : 1);
    }

    void duplicatesAndDamage()
    {
        FileItemList list(ModeConvert);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("File is damaged."));
        QString const folder = m_home.filePath("folder.pdf");
        QVERIFY(QDir().mkpath(folder));
        QString const empty = touch("empty.pdf");
        QString const upper = m_home.filePath("PLAIN.pdf");
        QVERIFY(QFile::copy(m_plain, upper));
        // Paths gone since they were chosen: refused, not kept as rows that can only fail.
        QList<FileItemList::RefusedFile> const refused =
            list.addFiles({m_plain, m_plain, folder, m_damaged, m_home.filePath("gone.pdf"), empty, upper,
                           m_home.filePath("gone.txt")});
        // The damaged file is read apart and refused once its reading ends.
        QList<FileItemList::RefusedFile> late;
        connect(&list, &FileItemList::refusedAfterReading, this,
                [&late](FileItem*, FileItemList::RefusedFile const& file) { late << file; });
        QTRY_VERIFY(!list.isReading());
        // The differently cased path is another item.
        QCOMPARE(list.fileCount(), 2);
        QCOMPARE(list.getFileItem(0)->filePath(), m_plain);
        QCOMPARE(list.getFileItem(1)->filePath(), upper);
        // Refused files come back with their reasons; a path already on the page is no refusal.
        QStringList reasons;
        for (FileItemList::RefusedFile const& file : refused + late)
            reasons << QFileInfo(file.path).fileName() + ' ' + QString::number(int(file.reason));
        QCOMPARE(reasons,
                 QStringList({"folder.pdf " + QString::number(int(FileItemList::Refusal::Folder)),
                              "gone.pdf " + QString::number(int(FileItemList::Refusal::Missing)),
                              "empty.pdf " + QString::number(int(FileItemList::Refusal::Empty)),
                              "gone.txt " + QString::number(int(FileItemList::Refusal::Missing)),
                              "damaged.pdf " + QString::number(int(FileItemList::Refusal::Damaged))}));
    }

    // qpdf refuses this file's encryption dictionary, yet other readers open it with its password:
    // it is locked, not damaged, and the password unlocks it.
    void brokenEncryptionStillNeedsItsPassword()
    {
        QString const broken = m_home.filePath("broken encryption.pdf");
        QVERIFY(TestPdf::encrypt(m_plain, broken, "user", "owner", 256));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        QVERIFY(bytes.contains("/V 5"));
        bytes.replace("/V 5", "/V 4");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();

        FileItemList list(ModeConvert);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("qpdf cannot read the encryption"));
        list.addFiles({broken});
        QCOMPARE(list.fileCount(), 1);
        auto* item = qobject_cast<PDFFileItem*>(list.getFileItem(0));
        QVERIFY(item->isBeingRead());
        QVERIFY(!list.allowedRun());
        QSignalSpy read(&list, &FileItemList::itemRead);
        QTRY_COMPARE(read.count(), 1);
        QVERIFY(!item->isBeingRead());
        QVERIFY(item->isEncrypted());
        QCOMPARE(item->getFileIcon(), QString("PDFLock-3x.png"));
        QCOMPARE(item->unlock("wrong"), PDFFileItem::UnlockResult::WrongPassword);
        QCOMPARE(item->unlock("user"), PDFFileItem::UnlockResult::Unlocked);
        QVERIFY(!item->isEncrypted());
        QCOMPARE(item->pageCount(), 3);
    }

    // Rebuilding a damaged file's structure reads all of it, and counting thousands of pages
    // reads every page: that is the helper's work, and the thread that adds files keeps
    // answering meanwhile.
    void longFileIsReadApart_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<bool>("countSaysOne");
        QTest::newRow("cross-reference table cut away") << true << false;
        QTest::newRow("thousands of pages") << false << false;
        QTest::newRow("thousands of pages, counted as one") << false << true;
    }

    void longFileIsReadApart()
    {
        QFETCH(bool, damaged);
        QFETCH(bool, countSaysOne);
        QString const cut = m_home.filePath("big damaged.pdf");
        int const pages = TestPdf::writeWithoutCrossReferences(cut, 20);
        QVERIFY(pages > 1000);
        QString big = cut;
        if (!damaged) {
            big = m_home.filePath("big whole.pdf");
            // Exit code 3: rebuilt with warnings.
            QCOMPARE(QProcess::execute("qpdf", {"--no-warn", cut, big}), 3);
            QCOMPARE(TestPdf::pageCount(big), pages);
        }
        if (countSaysOne) {
            QFile file(big);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray bytes = file.readAll();
            QByteArray const count = "/Count " + QByteArray::number(pages);
            QVERIFY(bytes.contains(count));
            bytes.replace(count, QByteArray("/Count 1").leftJustified(count.size(), ' '));
            QVERIFY(file.seek(0));
            QCOMPARE(file.write(bytes), qint64(bytes.size()));
        }
        // On a busy machine any thread may wait for a processor: the thread's own processor time
        // shows the work it did, and its longest stall, against the time the reading took, shows
        // that it did not wait for the reading.
        FileItemList list(ModeConvert);
        QElapsedTimer clock;
        qint64 worstStall = 0;
        QTimer tick;
        tick.setInterval(5);
        connect(&tick, &QTimer::timeout, this, [&] { worstStall = qMax(worstStall, clock.restart()); });
        tick.start();
        clock.start();
        QElapsedTimer reading;
        reading.start();
        double const workBefore = threadMs();
        list.addFiles({big});
        double const addingWork = threadMs() - workBefore;
        QVERIFY(list.getFileItem(0)->isBeingRead());
        QTRY_VERIFY_WITH_TIMEOUT(!list.isReading(), 120000);
        double const work = threadMs() - workBefore;
        qint64 const readingMs = reading.elapsed();
        worstStall = qMax(worstStall, clock.elapsed());
#ifndef __SANITIZE_THREAD__
        // The thread sanitizer slows each instruction of the thread many times over, so its
        // processor time says nothing there of how much work the thread took on.
        QVERIFY2(
            addingWork < 100 && work < 100,
            qPrintable(QString("the thread worked %1 ms adding, %2 ms in all").arg(addingWork).arg(work)));
#else
        Q_UNUSED(addingWork);
        Q_UNUSED(work);
#endif
        QVERIFY2(worstStall < readingMs / 2,
                 qPrintable(QString("the event loop stalled %1 ms of %2").arg(worstStall).arg(readingMs)));
        QCOMPARE(list.fileCount(), 1);
        QCOMPARE(list.getFileItem(0)->pageCount(), pages);
        QCOMPARE(list.getFileItem(0)->getFileIcon(), QString("PDF-3x.png"));
        QVERIFY(list.allowedRun());
        if (damaged || countSaysOne)
            return;

        // Locked, it opens with its password and tells its count all the same.
        QString const locked = m_home.filePath("big locked.pdf");
        QVERIFY(TestPdf::encrypt(big, locked, "user", "owner"));
        FileItemList lockedList(ModeConvert);
        lockedList.addFiles({locked});
        QTRY_VERIFY_WITH_TIMEOUT(!lockedList.isReading(), 120000);
        auto* item = qobject_cast<PDFFileItem*>(lockedList.getFileItem(0));
        QVERIFY(item->isEncrypted());
        QCOMPARE(item->unlock("wrong"), PDFFileItem::UnlockResult::WrongPassword);
        QCOMPARE(item->unlock("user"), PDFFileItem::UnlockResult::Unlocked);
        QCOMPARE(item->pageCount(), pages);
    }

    // A reader that crashes, hangs or answers nonsense on a file ends its helper, never the
    // application: adding refuses the file as unreadable, unlocking finds that it cannot open it.
    void helperThatFailsEndsAlone_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("crash") << QByteArray("kill -SEGV $$");
        QTest::newRow("hang") << QByteArray("exec sleep 600");
        QTest::newRow("no answer") << QByteArray("exit 0");
        QTest::newRow("nonsense") << QByteArray("echo 'read 0 0 1 -7 0'");
        QTest::newRow("failure") << QByteArray("echo 'read 0 0 1 3 0'; exit 1");
    }

    void helperThatFailsEndsAlone()
    {
        QFETCH(QByteArray, body);
        QTemporaryDir bin;
        QFile helper(bin.filePath("PdfProbe"));
        QVERIFY(helper.open(QIODevice::WriteOnly));
        helper.write("#!/bin/sh\n" + body + "\n");
        helper.close();
        QVERIFY(helper.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        ExeStarter::setProgramFolderForTesting(bin.path());
        PdfProbeProcess::setTimeLimitsForTesting(1000, 1000);
        auto restore = qScopeGuard([] {
            ExeStarter::setProgramFolderForTesting(QString());
            PdfProbeProcess::setTimeLimitsForTesting(0, 0);
        });

        QString const truncated = m_home.filePath("truncated.pdf");
        QFile::remove(truncated);
        QVERIFY(QFile::copy(m_userLocked, truncated));
        QVERIFY(QFile::resize(truncated, QFileInfo(m_userLocked).size() - 40));
        FileItemList list(ModeConvert);
        QList<FileItemList::RefusedFile> late;
        connect(&list, &FileItemList::refusedAfterReading, this,
                [&late](FileItem*, FileItemList::RefusedFile const& file) { late << file; });
        QVERIFY(list.addFiles({truncated, m_plain}).isEmpty());
        QCOMPARE(list.fileCount(), 2);
        QTRY_VERIFY(!list.isReading());
        QCOMPARE(list.fileCount(), 1);
        QCOMPARE(list.getFileItem(0)->filePath(), m_plain);
        QCOMPARE(late.size(), 1);
        QCOMPARE(late.first().path, truncated);
        QCOMPARE(int(late.first().reason), int(FileItemList::Refusal::Unreadable));

        // The password dialog waits for an unlock: a bounded wait, and no password opens it.
        PDFFileItem item(truncated);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(item.unlock("user"), PDFFileItem::UnlockResult::CannotOpen);
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(item.password().isEmpty());
    }

    void passwords()
    {
        FileItemList list(ModeConvert);
        list.addFiles({m_userLocked, m_ownerOnly});
        auto* locked = qobject_cast<PDFFileItem*>(list.getFileItem(0));
        auto* owner = qobject_cast<PDFFileItem*>(list.getFileItem(1));
        QVERIFY(locked->isEncrypted());
        QCOMPARE(locked->getFileIcon(), QString("PDFLock-3x.png"));
        QVERIFY(!owner->isEncrypted());
        QCOMPARE(owner->pageCount(), 3);

        QSignalSpy unlocked(locked, &FileItem::unlockSuccess);
        QVERIFY(!locked->PDFDecrypt("wrong"));
        QVERIFY(!locked->PDFDecrypt("owner")); // the owner password does not make a user
        QVERIFY(locked->isEncrypted());
        QCOMPARE(unlocked.count(), 0);
        QVERIFY(locked->PDFDecrypt("user"));
        QVERIFY(!locked->isEncrypted());
        QCOMPARE(locked->password(), QString("user"));
        QCOMPARE(locked->pageCount(), 3);
        QCOMPARE(unlocked.count(), 1);
    }

    void startRule()
    {
        FileItemList images(ModeConvert);
        images.addFiles({touch("x.png")});
        images.getFileItem(0)->fileProcessFinished(0);
        QVERIFY(images.allowedRun()); // no PDFs: always allowed

        FileItemList mixed(ModeConvert);
        mixed.addFiles({m_userLocked, touch("y.png")});
        QVERIFY(!mixed.allowedRun()); // every PDF locked
        qobject_cast<PDFFileItem*>(mixed.getFileItem(0))->PDFDecrypt("user");
        QVERIFY(mixed.allowedRun());
        mixed.getFileItem(0)->fileProcessFinished(0);
        mixed.getFileItem(1)->fileProcessFinished(0);
        QVERIFY(!mixed.allowedRun()); // nothing untreated
        mixed.getFileItem(1)->changeProcessCompletionMark();
        QVERIFY(mixed.allowedRun());
    }

    void removing()
    {
        FileItemList list(ModeCreate);
        list.addFiles({touch("r1.txt"), touch("r2.txt"), m_plain});
        QPointer<FileItem> second = list.getFileItem(1);
        list.removeAt(-1);
        list.removeAt(list.fileCount());
        QCOMPARE(list.fileCount(), 3);
        list.removeOne(second);
        QVERIFY(second.isNull());
        QCOMPARE(list.fileCount(), 2);
        FileItem stranger(m_plain);
        list.removeOne(&stranger);
        QCOMPARE(list.fileCount(), 2);
        list.addFiles({touch("r2.txt")}); // the path is free again
        QCOMPARE(list.fileCount(), 3);
        list.clear();
        QVERIFY(list.isEmpty());
    }

    // Items must not hold their PDF open: hundreds of files would exhaust the process's handles.
    void itemsHoldNoFileHandles()
    {
        QDir().mkpath(m_home.filePath("many"));
        QStringList paths;
        for (int i = 0; i < 300; ++i) {
            paths << m_home.filePath(QString("many/%1.pdf").arg(i));
            QVERIFY(QFile::link(m_plain, paths.last()));
        }
        int before = openFiles();
        FileItemList list(ModeConvert);
        list.addFiles(paths);
        QCOMPARE(list.fileCount(), 300);
        QVERIFY2(openFiles() - before < 10, qPrintable(QString::number(openFiles() - before)));
    }

    // An item keeps what it needs of its PDF (page count, lock state), not the parsed document:
    // thousands of long PDFs would otherwise take gigabytes.
    void itemsKeepNoParsedDocument()
    {
        QString manual = m_home.filePath("manual.pdf");
        QVERIFY(TestPdf::writePages(manual, 150));
        qint64 start = liveHeap();
        auto document = std::make_unique<QPDF>();
        document->processFile(manual.toUtf8().constData());
        QCOMPARE(document->getAllPages().size(), std::size_t(150));
        qint64 oneDocument = liveHeap() - start;
        document.reset();

        QDir().mkpath(m_home.filePath("manuals"));
        QStringList paths;
        for (int i = 0; i < 20; ++i) {
            paths << m_home.filePath(QString("manuals/%1.pdf").arg(i));
            QVERIFY(QFile::link(manual, paths.last()));
        }
        FileItemList list(ModeConvert);
        start = liveHeap();
        list.addFiles(paths);
        qint64 perItem = (liveHeap() - start) / paths.size();
        QCOMPARE(list.getFileItem(19)->pageCount(), 150);
        QVERIFY2(perItem < oneDocument / 10,
                 qPrintable(QString("%1 bytes per item, %2 per document").arg(perItem).arg(oneDocument)));
    }

    void fileSizeTexts_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("1024") << qint64(1024) << "1024 B";
        QTest::newRow("negative") << qint64(-5) << "-5 B";
        QTest::newRow("1025") << qint64(1025) << "1 KB";
        QTest::newRow("1536") << qint64(1536) << "1.5 KB";
        QTest::newRow("1 MiB") << qint64(1048576) << "1024 KB";
        QTest::newRow("2.75 MiB") << qint64(2883584) << "2.75 MB";
        QTest::newRow("above 1 GiB") << qint64(1073741825) << "1 GB";
    }

    void fileSizeTexts()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(FileItem::formatFileSize(bytes), text);
    }
};

QTEST_MAIN(TestFileItemList)
#include "TestFileItemList.moc"
