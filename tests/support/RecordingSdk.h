#pragma once

#include "converters/SdkBoundary.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>

// Replaces the SDK table with recorders so tests see exactly what reaches the SDK.
namespace RecordingSdk {

struct Call
{
    QString function; // "Word", "Excel", ...
    QString input;
    QString password;
    QString output;
    QByteArray record; // the 56 bytes of the options record
};

struct Log
{
    QList<Call> calls;
    QList<int> ocrLanguages;
    int setups = 0; // Initialize calls
    QString resourceFolder;
    QString modelPath;
    int modelResult = 1; // what SetDocumentAIModel answers
    int startResult = 0; // what every Start call answers
    std::atomic<int> cancels{0};
    // A Cancel call that takes this long: the worker, freed by it, meanwhile starts whatever
    // file is still queued.
    std::atomic<int> cancelPauseMs{0};
    // Called inside a Start call, e.g. to write outputs or wait for a cancel.
    std::atomic<int (*)(Call const&)> onStart{nullptr};
};

Log& log();
// Clears the log; call while no conversion runs.
void reset();
// Safe to call while the worker converts.
int callCount();
QList<Call> calls();
void install();
void restore();
// An onStart that holds each Start call until release() (10 s at most unless hold() says
// otherwise), while a test acts during a run; hold() before the run.
int held(Call const& call);
void hold(int limitMs = 10000);
void release();
// Whether a Start call is being held now.
bool holding();

} // namespace RecordingSdk
