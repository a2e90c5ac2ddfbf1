#include "ocr/OcrModel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <tesseract/baseapi.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

namespace docquill::ocr {

namespace {

QString const kSuffix = QStringLiteral(".traineddata");

// Orientation and script data drives no recognition of its own.
bool isRecognitionLanguage(QString const& code)
{
    return code != QLatin1String(OcrModel::kScriptDetectionData);
}

// The engine a language's data is meant for: the detection data has the older classifier only.
tesseract::OcrEngineMode engineFor(QByteArray const& code)
{
    return code == OcrModel::kScriptDetectionData ? tesseract::OEM_TESSERACT_ONLY : tesseract::OEM_LSTM_ONLY;
}

// Scripts that detection names differently from the data that reads them.
QString dataForScript(QString const& script)
{
    if (script == QLatin1String("Han"))
        return QStringLiteral("chi_sim");
    if (script == QLatin1String("Japanese") || script == QLatin1String("Hiragana") ||
        script == QLatin1String("Katakana"))
        return QStringLiteral("jpn");
    if (script == QLatin1String("Hangul") || script == QLatin1String("Korean"))
        return QStringLiteral("kor");
    return script;
}

// Long enough for the largest language data on a slow disk.
int const kProbeTimeoutMs = 60000;

// Tesseract aborts the whole process on language data whose networks do not load. Each
// language is therefore first loaded in a child process of its own, which only reports
// whether it survived; the children run side by side.
QStringList languagesThatLoad(QString const& folder, QStringList const& codes)
{
    QByteArray const dir = QFile::encodeName(folder);
    std::vector<QByteArray> names;
    for (QString const& code : codes)
        names.push_back(code.toUtf8());

    std::vector<pid_t> children(names.size(), -1);
    pid_t const parent = ::getpid();
    for (size_t i = 0; i < names.size(); ++i) {
        pid_t const pid = ::fork();
        if (pid == 0) {
            // A probe does not outlive the helper that a limit or a Cancel stopped.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent)
                ::_exit(1);
            // The child loads and leaves through _exit: no handler or buffer of the parent runs.
            struct rlimit const noCore = {0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            int const null = ::open("/dev/null", O_WRONLY);
            if (null >= 0) {
                ::dup2(null, STDOUT_FILENO);
                ::dup2(null, STDERR_FILENO);
            }
            tesseract::TessBaseAPI api;
            ::_exit(api.Init(dir.constData(), names[i].constData(), engineFor(names[i])) == 0 ? 0 : 1);
        }
        children[i] = pid;
    }

    std::vector<bool> loads(names.size(), false);
    std::vector<bool> done(names.size(), false);
    size_t remaining = names.size();
    for (size_t i = 0; i < names.size(); ++i) {
        if (children[i] < 0) {
            done[i] = true;
            --remaining;
        }
    }
    QElapsedTimer clock;
    clock.start();
    while (remaining > 0) {
        for (size_t i = 0; i < names.size(); ++i) {
            if (done[i])
                continue;
            int status = 0;
            pid_t const result = ::waitpid(children[i], &status, WNOHANG);
            if (result == 0)
                continue;
            done[i] = true;
            --remaining;
            loads[i] = result == children[i] && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        if (remaining == 0)
            break;
        if (clock.elapsed() > kProbeTimeoutMs) {
            for (size_t i = 0; i < names.size(); ++i) {
                if (!done[i]) {
                    ::kill(children[i], SIGKILL);
                    ::waitpid(children[i], nullptr, 0);
                }
            }
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    QStringList usable;
    for (size_t i = 0; i < names.size(); ++i) {
        if (loads[i])
            usable << codes.at(int(i));
    }
    return usable;
}

} // namespace

QStringList OcrModel::latinLanguages()
{
    return {QStringLiteral("eng"), QStringLiteral("fra"), QStringLiteral("deu"), QStringLiteral("spa"),
            QStringLiteral("ita"), QStringLiteral("por"), QStringLiteral("nld")};
}

bool OcrModel::isLanguageData(QString const& path)
{
    // The file starts with a little-endian entry count and a table of 64-bit offsets, -1 for
    // an absent entry, the others ascending inside the file.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    qint64 const size = file.size();
    QByteArray const head = file.read(4);
    if (head.size() != 4)
        return false;
    qint32 const count = qFromLittleEndian<qint32>(head.constData());
    if (count < 1 || count > 64)
        return false;
    qint64 const tableEnd = 4 + 8 * qint64(count);
    QByteArray const table = file.read(8 * count);
    if (table.size() != 8 * count || tableEnd > size)
        return false;
    qint64 previous = tableEnd - 1;
    bool any = false;
    for (int i = 0; i < count; ++i) {
        qint64 const offset = qFromLittleEndian<qint64>(table.constData() + 8 * i);
        if (offset == -1)
            continue;
        if (offset <= previous || offset >= size)
            return false;
        previous = offset;
        any = true;
    }
    return any;
}

bool OcrModel::load(QString const& folder, bool probe)
{
    m_folder = folder;
    m_languages.clear();
    m_loaded = false;
    m_scriptDetection = false;
    m_error.clear();

    QDir const dir(folder);
    if (folder.isEmpty() || !dir.exists()) {
        m_error = QStringLiteral("model folder %1 does not exist").arg(folder);
        return false;
    }
    QStringList const files =
        dir.entryList({QLatin1Char('*') + kSuffix}, QDir::Files | QDir::Readable, QDir::Name);
    QStringList damaged;
    QStringList sound;
    for (QString const& name : files) {
        QString const code = name.chopped(kSuffix.size());
        if (isLanguageData(dir.filePath(name)))
            sound.append(code);
        else
            damaged.append(name);
    }
    // A sound header does not prove that the networks inside load; loading them does.
    QStringList const usable = probe ? languagesThatLoad(folder, sound) : sound;
    for (QString const& code : sound) {
        if (!usable.contains(code))
            damaged.append(code + kSuffix);
        else if (isRecognitionLanguage(code))
            m_languages.append(code);
        else
            m_scriptDetection = true;
    }
    if (m_languages.isEmpty()) {
        m_error = damaged.isEmpty() ? QStringLiteral("no language data in %1").arg(folder)
                                    : QStringLiteral("damaged language data: %1").arg(damaged.join(", "));
        return false;
    }
    // Usable, though a damaged language stays unavailable; the error names it.
    if (!damaged.isEmpty())
        m_error = QStringLiteral("damaged language data: %1").arg(damaged.join(", "));
    m_loaded = true;
    return true;
}

QString OcrModel::languageSpec(int sdkLanguage) const
{
    QStringList codes;
    switch (sdkLanguage) {
    case SdkChineseSimplified:
        codes << QStringLiteral("chi_sim");
        break;
    case SdkChineseTraditional:
        codes << QStringLiteral("chi_tra");
        break;
    case SdkEnglish:
        codes << QStringLiteral("eng");
        break;
    case SdkKorean:
        codes << QStringLiteral("kor");
        break;
    case SdkJapanese:
        codes << QStringLiteral("jpn");
        break;
    case SdkLatinScripts:
        if (hasLanguage(QStringLiteral("Latin"))) {
            // Detection does not tell Vietnamese from other Latin script; without its own data
            // half its words lose their marks.
            codes << QStringLiteral("Latin");
            if (hasLanguage(QStringLiteral("Vietnamese")))
                codes << QStringLiteral("Vietnamese");
            break;
        }
        for (QString const& code : latinLanguages()) {
            if (hasLanguage(code))
                codes << code;
        }
        break;
    default:
        return {};
    }
    QString const spec = codes.join(QLatin1Char('+'));
    return supports(spec) ? spec : QString();
}

QString OcrModel::scriptSpec(QString const& script, int language) const
{
    if (script == QLatin1String("Latin"))
        return languageSpec(SdkLatinScripts);
    // The script's data writes Arabic in the letter forms of Persian and Urdu (keheh for kaf,
    // Farsi yeh for yeh) and drops letters; the language's own data reads Arabic as Arabic.
    if (script == QLatin1String("Arabic") && language != SdkKurdish && hasLanguage(QStringLiteral("ara")))
        return QStringLiteral("ara");
    QString const code = dataForScript(script);
    return hasLanguage(code) ? code : QString();
}

QStringList OcrModel::readableScripts() const
{
    QStringList scripts;
    for (char const* script : {"Latin", "Cyrillic", "Arabic", "Devanagari"}) {
        if (!scriptSpec(QLatin1String(script)).isEmpty())
            scripts << QLatin1String(script);
    }
    return scripts;
}

bool OcrModel::isNamedLanguage(int sdkLanguage)
{
    return (sdkLanguage >= SdkSerbian && sdkLanguage <= SdkArabic) ||
           (sdkLanguage >= SdkFirstDevanagari && sdkLanguage <= SdkLastNamed);
}

QString OcrModel::scriptOfLanguage(int sdkLanguage)
{
    if (!isNamedLanguage(sdkLanguage) || sdkLanguage == SdkKurdish)
        return {};
    if (sdkLanguage == SdkSerbian)
        return QStringLiteral("Cyrillic");
    if (sdkLanguage == SdkArabic)
        return QStringLiteral("Arabic");
    if (sdkLanguage >= SdkFirstDevanagari)
        return QStringLiteral("Devanagari");
    return QStringLiteral("Latin");
}

bool OcrModel::supports(QString const& languageSpec) const
{
    if (languageSpec.isEmpty())
        return false;
    QStringList const codes = languageSpec.split(QLatin1Char('+'));
    for (QString const& code : codes) {
        if (!hasLanguage(code))
            return false;
    }
    return true;
}

} // namespace docquill::ocr
