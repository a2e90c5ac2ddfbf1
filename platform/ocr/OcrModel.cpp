#include "ocr/OcrModel.h"

#include "ocr/TextRecognizer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace docquill::ocr {

namespace {

QString const kSuffix = QStringLiteral(".traineddata");

// Orientation and script data drives no recognition of its own.
bool isRecognitionLanguage(QString const& code)
{
    return code != QLatin1String("osd");
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

bool OcrModel::load(QString const& folder)
{
    m_folder = folder;
    m_languages.clear();
    m_loaded = false;
    m_error.clear();

    QDir const dir(folder);
    if (folder.isEmpty() || !dir.exists()) {
        m_error = QStringLiteral("model folder %1 does not exist").arg(folder);
        return false;
    }
    QStringList const files =
        dir.entryList({QLatin1Char('*') + kSuffix}, QDir::Files | QDir::Readable, QDir::Name);
    QStringList damaged;
    for (QString const& name : files) {
        QString const code = name.chopped(kSuffix.size());
        if (!isRecognitionLanguage(code))
            continue;
        if (isLanguageData(dir.filePath(name)))
            m_languages.append(code);
        else
            damaged.append(name);
    }
    if (m_languages.isEmpty()) {
        m_error = damaged.isEmpty() ? QStringLiteral("no language data in %1").arg(folder)
                                    : QStringLiteral("damaged language data: %1").arg(damaged.join(", "));
        return false;
    }

    // A sound header does not prove that the networks inside load; starting an engine does.
    QString const probe = hasLanguage(QStringLiteral("eng")) ? QStringLiteral("eng") : m_languages.first();
    TextRecognizer engine;
    if (!engine.start(*this, probe)) {
        m_error = engine.errorString();
        m_languages.clear();
        return false;
    }
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
