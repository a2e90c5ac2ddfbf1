#pragma once

#include <QString>

// Code that writes into the application bundle (<executable folder>/../Resources) is tested
// from a copy of the test executable inside a temporary bundle, so the build tree's own
// resources are never touched. Its Frameworks folder links to the build's.
namespace ThrowawayBundle {

// Call first in main(). Outside a throw-away bundle: makes one, runs the copy there with the
// same arguments, removes the bundle and returns true with the copy's exit code in exitCode.
// Inside one: returns false, and the tests run in this process.
bool runTestsInside(int argc, char** argv, int& exitCode);

// The bundle this process runs from, or empty outside one.
QString path();

} // namespace ThrowawayBundle

// QTEST_MAIN for tests that must run inside a throw-away bundle (include <QApplication> and
// <QtTest> first).
#define DOCQUILL_THROWAWAY_BUNDLE_TEST_MAIN(TestObject)                                                      \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        int exitCode = 0;                                                                                    \
        if (ThrowawayBundle::runTestsInside(argc, argv, exitCode))                                           \
            return exitCode;                                                                                 \
        QApplication app(argc, argv);                                                                        \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                             \
        TestObject test;                                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
