#include "pipeline/ConvertExecutor.h"
#include "pipeline/TaskController.h"
#include "pipeline/TaskExecutorFactory.h"
#include "pipeline/TaskRunnable.h"

#include "common/ProductConstants.h"
#include "items/FileItem.h"
#include "items/FileItemList.h"
#include "items/PDFFileItem.h"
#include "pdf/MergeFunction.h"
#include "pdf/PDFMergeService.h"
#include "relay/SignalTransferStation.h"

#include "RecordingSdk.h"
#include "TestHome.h"
#include "TestPdf.h"

#include <QtTest>

#include <QDir>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QThreadPool>
#include <QTimer>

#include <atomic>

namespace {

std::atomic<int> g_blockMs{0};

// A conversion that takes a while and stops early when the SDK is told to cancel.
int slowConversion(RecordingSdk::Call const& call)
{
    QFile(call.output).open(QIODevice::WriteOnly);
    for (int waited = 0; waited < g_blockMs.load(); waited += 5) {
        if (RecordingSdk::log().cancels.load() > 0)
            return 1;
        QThread::msleep(5);
    }
    return 0;
}

QList<int> ints(QSignalSpy const& spy, int arg = 0)
{
    QList<int> values;
    for (auto const& args : spy)
        values << args.at(arg).toInt();
    return values;
}

} // namespace

class TestTaskController : public QObject
{
    Q_OBJECT

    TestHome m_home;
    QStringList m_pdfs;
    QString m_out;

    void waitForWorker() { QVERIFY(TaskController::workerPool()->waitForDone(30000)); }

private slots:
    void initTestCase()
    {
        RecordingSdk::install();
        QDir().mkpath(m_home.filePath("in"));
        QDir().mkpath(m_home.path() + g_tempDirPath);
        for (int i = 1; i <= 3; ++i) {
            m_pdfs << m_home.filePath(QString("in/f%1.pdf").arg(i));
            QVERIFY(TestPdf::write(m_pdfs.last(), {QString("File %1").arg(i)}));
        }
        m_out = m_home.filePath("out");
    }
    void cleanupTestCase() { RecordingSdk::restore(); }

    void init()
    {
        RecordingSdk::reset();
        RecordingSdk::log().onStart = slowConversion;
        g_blockMs = 0;
    }

    void nothingToDo()
    {
        FileItemList list(ModeConvert);
        list.addFiles({m_pdfs[0]});
        list.getFileItem(0)->fileProcessFinished(0);
        TaskController controller;
        QSignalSpy started(&controller, &TaskController::taskStarted);
        QSignalSpy finished(&controller, &TaskController::taskFinished);
        QSignalSpy applied(&controller, &TaskController::taskApplyOptions);
        controller.startTasks(list.allItems(), m_out, ModeConvert, false);
        QTest::qWait(50);
        QCOMPARE(started.count() + finished.count() + applied.count(), 0);
    }

    void threeConversions()
    {
        FileItemList list(ModeConvert);
        list.addFiles(m_pdfs);
        for (auto* item : list.allItems())
            item->setConvertType(ToTxt);
        TaskController controller;
        QSignalSpy started(&controller, &TaskController::taskStarted);
        QSignalSpy progress(&controller, &TaskController::taskProgress);
        QSignalSpy finished(&controller, &TaskController::taskFinished);
        QSignalSpy errors(&controller, &TaskController::taskError);
        controller.startTasks(list.allItems(), m_out, ModeConvert, false);
        QCOMPARE(started.count(), 1);
        QVERIFY(finished.wait(10000));
        QCOMPARE(ints(progress, 0), (QList<int>{1, 2, 3}));
        QCOMPARE(ints(progress, 1), (QList<int>{3, 3, 3}));
        QCOMPARE(errors.count(), 0);
        for (auto* item : list.allItems())
            QVERIFY(!item->isUntreated());
        // Files run in list order.
        QList<RecordingSdk::Call> calls = RecordingSdk::calls();
        QCOMPARE(calls.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(calls[i].input, m_pdfs[i]);
    }

    void failedFileStaysUntreated()
    {
        RecordingSdk::log().onStart = nullptr;
        RecordingSdk::log().startResult = 5;
        FileItemList list(ModeConvert);
        list.addFiles({m_pdfs[0]});
        TaskController controller;
        QSignalSpy errors(&controller, &TaskController::taskError);
        QSignalSpy finished(&controller, &TaskController::taskFinished);
        QSignalSpy rowResult(list.getFileItem(0), &FileItem::processFinishedSignal);
        controller.startTasks(list.allItems(), m_out, ModeConvert, false);
        QVERIFY(finished.wait(10000));
        QCOMPARE(errors.first().at(1).toInt(), 5);
        QCOMPARE(rowResult.first().first().toInt(), 5);
        QVERIFY(list.getFileItem(0)->isUntreated());
    }

    void mergedCreation()
    {
        FileItemList list(ModeCreate);
        list.addFiles(m_pdfs);
        list.getFileItem(1)->fileProcessFinished(0); // processed: skipped
        TaskController controller;
        QSignalSpy applied(&controller, &TaskController::taskApplyOptions);
        QSignalSpy progress(&controller, &TaskController::mergeProgress);
        QSignalSpy completed(&controller, &TaskController::mergeCompleted);
        QSignalSpy finished(&controller, &TaskController::taskFinished);
        QSignalSpy stopped(list.getFileItem(0), &FileItem::processed);
        controller.startTasks(list.allItems(), m_out, ModeCreate, true);
        QCOMPARE(ints(applied), (QList<int>{0, 2}));
        QCOMPARE(PDFMergeService::instance().mergeList().size(), 2);
        QVERIFY(finished.wait(10000));
        QCOMPARE(ints(progress), (QList<int>{30, 60}));
        QCOMPARE(completed.size(), 1);
        QVERIFY(completed.first().at(0).toBool());
        QString merged = completed.first().at(1).toString();
        QCOMPARE(merged, m_out + "/Merge.pdf");
        QString text = TestPdf::text(merged);
        QVERIFY(text.indexOf("File 1") >= 0 && text.indexOf("File 1") < text.indexOf("File 3"));
        QVERIFY(!text.contains("File 2"));
        QCOMPARE(stopped.count(), 1);
        QVERIFY(list.getFileItem(0)->isUntreated()); // merged items run again next time
        for (auto const& part : PDFMergeService::instance().mergeList())
            QVERIFY2(!QFile::exists(part), qPrintable(part)); // parts go once merged
    }

    // Parts of unlocked and owner-protected PDFs: the merge opens them all and is itself open.
    void mergeOfProtectedParts()
    {
        QString owner = m_home.filePath("in/owner.pdf"), locked = m_home.filePath("in/locked.pdf");
        QVERIFY(TestPdf::encrypt(m_pdfs[0], owner, "", "owner"));
        QVERIFY(TestPdf::encrypt(m_pdfs[1], locked, "user", "owner"));
        FileItemList list(ModeCreate);
        list.addFiles({owner, locked, m_pdfs[2]});
        QVERIFY(qobject_cast<PDFFileItem*>(list.getFileItem(1))->PDFDecrypt("user"));
        TaskController controller;
        QSignalSpy errors(&controller, &TaskController::taskError);
        QSignalSpy completed(&controller, &TaskController::mergeCompleted);
        QSignalSpy finished(&controller, &TaskController::taskFinished);
        controller.startTasks(list.allItems(), m_home.filePath("protected-out"), ModeCreate, true);
        QVERIFY(finished.wait(10000));
        QCOMPARE(errors.count(), 0);
        QVERIFY(completed.first().at(0).toBool());
        QString merged = completed.first().at(1).toString();
        QVERIFY(!TestPdf::isEncrypted(merged));
        QString text = TestPdf::text(merged);
        QVERIFY2(text.contains("File 1") && text.contains("File 2") && text.contains("File 3"),
                 qPrintable(text));
    }

    // The converter page starts while the creator page builds a merge: the merge keeps its parts.
    void conversionStartDuringMerge()
    {
        FileItemList creatorList(ModeCreate), converterList(ModeConvert);
        creatorList.addFiles(m_pdfs);
        converterList.addFiles({m_pdfs[0]});
        TaskController creator, converter;
        QSignalSpy completed(&creator, &TaskController::mergeCompleted);
        QSignalSpy creatorDone(&creator, &TaskController::taskFinished);
        QSignalSpy converterDone(&converter, &TaskController::taskFinished);
        creator.startTasks(creatorList.allItems(), m_home.filePath("both-out"), ModeCreate, true);
        converter.startTasks(converterList.allItems(), m_home.filePath("both-out"), ModeConvert, false);
        QVERIFY(creatorDone.wait(10000));
        QTRY_COMPARE_WITH_TIMEOUT(converterDone.count(), 1, 10000);
        QVERIFY(completed.first().at(0).toBool());
        QCOMPARE(TestPdf::pageCount(completed.first().at(1).toString()), 3);
    }

    // A merge starting while a page cut is converted leaves the cut in place.
    void mergeStartDuringConversion()
    {
        g_blockMs = 5000;
        FileItemList converterList(ModeConvert), creatorList(ModeCreate);
        converterList.addFiles({m_pdfs[0]});
        converterList.getFileItem(0)->changePageRange({"1"});
        creatorList.addFiles({m_pdfs[1]});
        TaskController converter, creator;
        QSignalSpy converterDone(&converter, &TaskController::taskFinished);
        QSignalSpy creatorDone(&creator, &TaskController::taskFinished);
        converter.startTasks(converterList.allItems(), m_out, ModeConvert, false);
        QTRY_COMPARE_WITH_TIMEOUT(RecordingSdk::callCount(), 1, 10000);
        QString cut = RecordingSdk::calls().first().input;
        QVERIFY(cut != m_pdfs[0]);
        creator.startTasks(creatorList.allItems(), m_home.filePath("merge-out"), ModeCreate, true);
        QVERIFY(QFile::exists(cut));
        converter.cancelTasks();
        QVERIFY(converterDone.wait(10000));
        QTRY_COMPARE_WITH_TIMEOUT(creatorDone.count(), 1, 10000);
    }

    // Quitting during runs on both pages: the file in progress ends (told to cancel), the queued
    // ones never start, and nothing runs on once the application is gone.
    void quitDuringRuns()
    {
        g_blockMs = 5000;
        RecordingSdk::log().cancelPauseMs = 200;
        FileItemList converterList(ModeConvert), creatorList(ModeCreate);
        converterList.addFiles(m_pdfs);
        creatorList.addFiles({m_pdfs[0]});
        TaskController converter, creator;
        QSignalSpy converterDone(&converter, &TaskController::taskFinished);
        QSignalSpy secondStarted(converterList.getFileItem(1), &FileItem::processing);
        QSignalSpy creatorStarted(creatorList.getFileItem(0), &FileItem::processing);
        converter.startTasks(converterList.allItems(), m_out, ModeConvert, false);
        creator.startTasks(creatorList.allItems(), m_home.filePath("quit-out"), ModeCreate, false);
        QTimer poll;
        poll.callOnTimeout([] {
            if (RecordingSdk::callCount() == 1)
                QCoreApplication::quit();
        });
        poll.start(5);
        QCoreApplication::exec();
        poll.stop();
        QCOMPARE(TaskController::workerPool()->activeThreadCount(), 0); // waited for the file in progress
        QVERIFY(RecordingSdk::log().cancels.load() > 0);
        QTest::qWait(100);
        waitForWorker();
        QCOMPARE(RecordingSdk::callCount(), 1);
        QCOMPARE(secondStarted.count(), 0);
        QCOMPARE(creatorStarted.count(), 0);
        QVERIFY(!QFile::exists(m_home.filePath("quit-out/f1.pdf")));
        QCOMPARE(converterDone.count(), 0); // the interface that would hear it is gone
    }

    // Qt converts the images of every window it opens on its global pool: a run must not hold
    // that pool, or each new dialog and menu would wait for the file in progress.
    void runLeavesQtsPoolFree()
    {
        RecordingSdk::log().onStart = RecordingSdk::held;
        RecordingSdk::hold(60000);
        FileItemList list(ModeConvert);
        list.addFiles({m_pdfs[0]});
        TaskController controller;
        QSignalSpy finished(&controller, &TaskController::taskFinished);
        controller.startTasks(list.allItems(), m_out, ModeConvert, false);
        QTRY_VERIFY_WITH_TIMEOUT(RecordingSdk::holding(), 30000);
        std::atomic<bool> ran{false};
        // Let go however the test ends: the worker still reads the list's file.
        auto const letGo = qScopeGuard([this] {
            RecordingSdk::release();
            waitForWorker();
            QThreadPool::globalInstance()->waitForDone(30000);
        });
        QThreadPool::globalInstance()->start([&ran] { ran = true; });
        QTRY_VERIFY_WITH_TIMEOUT(ran.load(), 30000);
        QVERIFY2(RecordingSdk::holding(), "the run ended before Qt's pool was free");
        QCOMPARE(TaskController::workerPool()->expiryTimeout(), -1);
        RecordingSdk::release();
        QVERIFY(finished.wait(30000));
    }

    void cancelDuringFirstConversion()
    {
        g_blockMs = 5000;
        RecordingSdk::log().cancelPauseMs = 200;
        FileItemList list(ModeConvert);
        list.addFiles(m_pdfs);
        TaskController controller;
        QSignalSpy finished(&controller, &TaskController::taskFinished);
        QSignalSpy errors(&controller, &TaskController::taskError);
        QSignalSpy helpersStopped(SignalTransferStation::instance(), &SignalTransferStation::stopCommand);
        controller.startTasks(list.allItems(), m_out, ModeConvert, false);
        QTRY_COMPARE_WITH_TIMEOUT(RecordingSdk::callCount(), 1, 10000);
        controller.cancelTasks();
        QCOMPARE(RecordingSdk::log().cancels.load(), 1);
        QCOMPARE(helpersStopped.count(), 1);
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(errors.first().at(1).toInt(), 1);
        waitForWorker();
        QCOMPARE(RecordingSdk::callCount(), 1); // the queued two never ran
    }

    // The creator page cancels its one file queued behind the converter page's running file.
    void cancelOneSideOnly()
    {
        g_blockMs = 5000; // the cancel below ends it early
        FileItemList converterList(ModeConvert), creatorList(ModeCreate);
        converterList.addFiles({m_pdfs[0]});
        creatorList.addFiles({m_pdfs[1]});
        TaskController converter, creator;
        QSignalSpy converterDone(&converter, &TaskController::taskFinished);
        QSignalSpy creatorDone(&creator, &TaskController::taskFinished);
        QSignalSpy helpersStopped(SignalTransferStation::instance(), &SignalTransferStation::stopCommand);
        converter.startTasks(converterList.allItems(), m_out, ModeConvert, false);
        creator.startTasks(creatorList.allItems(), m_out, ModeCreate, false);
        QTRY_COMPARE_WITH_TIMEOUT(RecordingSdk::callCount(), 1, 10000);
        creator.cancelTasks();
        QCOMPARE(creatorDone.count(), 1);    // ended at once: nothing left to report
        QCOMPARE(helpersStopped.count(), 0); // the other page's helpers run on
        // The SDK is process-wide: the converter page's running file hears the cancel too.
        QVERIFY(converterDone.wait(10000));
        QCOMPARE(converterList.getFileItem(0)->isUntreated(), true);
        waitForWorker();
        QVERIFY(!QFile::exists(m_out + "/f2.pdf")); // the creator's file never ran
    }

    void runnableCodes()
    {
        FileItemList list(ModeConvert);
        list.addFiles({m_pdfs[0]});
        auto* noExecutor = new TaskRunnable(list.getFileItem(0), m_out, nullptr);
        QSignalSpy a(noExecutor, &TaskRunnable::finished);
        noExecutor->setAutoDelete(false);
        noExecutor->run();
        QCOMPARE(a.first().first().toInt(), -1);
        delete noExecutor;

        ConvertExecutor executor;
        TaskRunnable cancelled(list.getFileItem(0), m_out, &executor);
        cancelled.setAutoDelete(false);
        cancelled.cancel();
        QSignalSpy b(&cancelled, &TaskRunnable::finished);
        cancelled.run();
        QCOMPARE(b.first().first().toInt(), -1);
        QCOMPARE(TaskExecutorFactory::create(ModeEncrypt), nullptr);
    }

    // Many files on both pages, cancels at random moments: every run ends exactly once and
    // nothing touches a runnable the pool already deleted (run under the sanitizers).
    void randomCancels()
    {
        RecordingSdk::log().onStart = nullptr;
        QDir().mkpath(m_home.filePath("many"));
        QStringList paths;
        for (int i = 0; i < 40; ++i) {
            paths << m_home.filePath(QString("many/%1.pdf").arg(i));
            QVERIFY(QFile::link(m_pdfs[0], paths.last()));
        }
        FileItemList convertList(ModeConvert), createList(ModeCreate);
        convertList.addFiles(paths.mid(0, 20));
        createList.addFiles(paths.mid(20));
        TaskController converter, creator;
        QSignalSpy converterDone(&converter, &TaskController::taskFinished);
        QSignalSpy creatorDone(&creator, &TaskController::taskFinished);
        for (int round = 0; round < 15; ++round) {
            for (auto* item : convertList.allItems() + createList.allItems())
                item->changeProcessCompletionMark();
            int convDone = converterDone.count(), createDone = creatorDone.count();
            converter.startTasks(convertList.allItems(), m_home.filePath("many-out"), ModeConvert, false);
            creator.startTasks(createList.allItems(), m_home.filePath("many-out"), ModeCreate, round % 2);
            QTest::qWait(QRandomGenerator::global()->bounded(0, 15));
            converter.cancelTasks();
            if (round % 3)
                creator.cancelTasks();
            QTRY_COMPARE_WITH_TIMEOUT(converterDone.count(), convDone + 1, 20000);
            QTRY_COMPARE_WITH_TIMEOUT(creatorDone.count(), createDone + 1, 20000);
            waitForWorker();
            QTest::qWait(20);
            QCOMPARE(converterDone.count(), convDone + 1);
            QCOMPARE(creatorDone.count(), createDone + 1);
        }
    }
};

QTEST_MAIN(TestTaskController)
#include "TestTaskController.moc"
