#include "RecordingSdk.h"

#include <QThread>

#include <mutex>

namespace RecordingSdk {
namespace {

std::mutex g_mutex;
std::atomic<bool> g_released{true};
std::atomic<int> g_holdLimitMs{10000};
std::atomic<int> g_holding{0};

int record(const char* function, char const* in, char const* pw, char const* out,
           pdfconv::base::ConvertOptions const& options)
{
    Call call{QString::fromLatin1(function), QString::fromUtf8(in), QString::fromUtf8(pw),
              QString::fromUtf8(out), QByteArray(reinterpret_cast<const char*>(&options), sizeof(options))};
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        log().calls << call;
    }
    auto onStart = log().onStart.load();
    return onStart ? onStart(call) : log().startResult;
}

#define RECORDER(name)                                                                                       \
    int start##name(char const* in, char const* pw, char const* out, pdfconv::base::ConvertOptions const& o, \
                    pdfconv::conversion::ProgressCallback)                                                   \
    {                                                                                                        \
        return record(#name, in, pw, out, o);                                                                \
    }
RECORDER(Word)
RECORDER(Excel)
RECORDER(Ppt)
RECORDER(Html)
RECORDER(Txt)
RECORDER(Rtf)
RECORDER(Image)
RECORDER(SearchablePdf)
#undef RECORDER

} // namespace

int held(Call const&)
{
    ++g_holding;
    for (int waited = 0; !g_released.load() && waited < g_holdLimitMs.load(); waited += 5)
        QThread::msleep(5);
    --g_holding;
    return 0;
}

void hold(int limitMs)
{
    g_holdLimitMs = limitMs;
    g_released = false;
}

bool holding()
{
    return g_holding.load() > 0;
}

void release()
{
    g_released = true;
}

Log& log()
{
    static Log instance;
    return instance;
}

void reset()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    Log& l = log();
    l.calls.clear();
    l.ocrLanguages.clear();
    l.setups = 0;
    l.resourceFolder.clear();
    l.modelPath.clear();
    l.modelResult = 1;
    l.startResult = 0;
    l.cancels = 0;
    l.cancelPauseMs = 0;
    l.onStart = nullptr;
}

int callCount()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return log().calls.size();
}

QList<Call> calls()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return log().calls;
}

void install()
{
    SdkBoundary calls{};
    calls.setLogger = [](bool, bool) {};
    calls.initialize = [](char const* folder) {
        ++log().setups;
        log().resourceFolder = QString::fromUtf8(folder);
        return 0;
    };
    calls.setDocumentAIModel = [](char const* model, pdfconv::base::OCRLanguage) {
        log().modelPath = QString::fromUtf8(model);
        return log().modelResult;
    };
    calls.setOCRLanguage = [](pdfconv::base::OCRLanguage language) {
        log().ocrLanguages << int(language);
        return 0;
    };
    calls.startWord = startWord;
    calls.startExcel = startExcel;
    calls.startPpt = startPpt;
    calls.startHtml = startHtml;
    calls.startTxt = startTxt;
    calls.startRtf = startRtf;
    calls.startImage = startImage;
    calls.startSearchablePdf = startSearchablePdf;
    calls.cancel = [] {
        ++log().cancels;
        QThread::msleep(static_cast<unsigned long>(log().cancelPauseMs.load()));
    };
    SdkBoundary::setForTesting(calls);
}

void restore()
{
    SdkBoundary::setForTesting(SdkBoundary::real());
}

} // namespace RecordingSdk
