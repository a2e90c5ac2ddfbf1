#include "utils/CommonUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <QTextCodec>
#include <QtDebug>

#include <algorithm>

namespace {

const QString kPhotoSuffixes = QStringLiteral("png,jpg,jpeg,bmp,gif,tiff,tif");
const QString kCreatableSuffixes = QStringLiteral(
    "txt,jpg,jpeg,bmp,gif,tiff,tif,png,pdf,pages,key,numbers,pptx,docx,chm,html,xlsx,epub,rtf,doc");
const QString kDFCreatableSuffixes = QStringLiteral("docx,html,chm,pptx,txt,epub,rtf");
const QString kConvertFilter = QStringLiteral("*.pdf *.bmp *.gif *.tiff *.tif *.jpeg *.png *.jpg ");
const QString kCreateFilter =
    QStringLiteral("*.pages *.key *.numbers                 *.jpg *.jpeg *.bmp *.gif *.tiff *.tif *.png"
                   "                *.txt *.pdf  *.docx *.doc *.html *.chm *.pptx *.epub *.xlsx *.rtf");

QString suffixOf(QString const& path)
{
    QString name = QFileInfo(path).fileName();
    int dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

bool listHasSuffix(QString const& list, QString const& path)
{
    return list.split(',').contains(suffixOf(path), Qt::CaseInsensitive);
}

} // namespace

QString CommonUtils::pdfFileName(QString const& name)
{
    if (name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return name;
    return name + QStringLiteral(".pdf");
}

CommonUtils::OutputNameProblem CommonUtils::checkOutputName(QString const& name)
{
    // A name is one file in the output folder, never a way out of it.
    if (name.contains(QLatin1Char('/')) || name.contains(QDir::separator()))
        return OutputNameHasSeparator;
    QString const stem = pdfFileName(name).chopped(4);
    if (stem.trimmed().isEmpty())
        return OutputNameEmpty;
    bool const onlyDots =
        std::all_of(stem.cbegin(), stem.cend(), [](QChar c) { return c == QLatin1Char('.') || c.isSpace(); });
    return onlyDots ? OutputNameOnlyDots : OutputNameUsable;
}

QString CommonUtils::generatePredictedFilename(QString const& inputPath, QString const& outputDir,
                                               QString const& suffix, bool keepName)
{
    QString name = QFileInfo(inputPath).fileName();
    int dot = name.lastIndexOf('.');
    if (dot >= 0)
        name.truncate(dot);
    if (!keepName)
        name += suffix;
    duplicateFilenameHandle(outputDir, name);
    return QStringLiteral("%1/%2").arg(outputDir, name);
}

void CommonUtils::duplicateFilenameHandle(QString const& dir, QString& name)
{
    static QMutex mutex;
    QMutexLocker locker(&mutex);

    QDir folder(dir);
    if (!folder.exists())
        folder.mkpath(QStringLiteral("."));

    int firstDot = name.indexOf('.');
    int lastDot = name.lastIndexOf('.');
    QString base = firstDot < 0 ? name : name.left(firstDot);
    QString suffix = lastDot < 0 ? QString() : name.mid(lastDot + 1);

    QString candidate = name;
    int counter = 0;
    // QFileInfo::exists also answers for folders and for dangling symbolic links' targets;
    // a dangling link still occupies the name, so check the link itself too.
    auto taken = [&folder](QString const& n) {
        QString path = folder.filePath(n);
        return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
    };
    while (taken(candidate)) {
        ++counter;
        // Joined, not formatted: a name may hold "%1" of its own.
        candidate = base + '_' + QString::number(counter);
        if (!suffix.isEmpty())
            candidate += '.' + suffix;
    }
    name = candidate;
}

bool CommonUtils::CheckIsPhoto(QString const& path)
{
    return listHasSuffix(kPhotoSuffixes, path);
}

bool CommonUtils::CheckIsCreatableFormats(QString const& path)
{
    return listHasSuffix(kCreatableSuffixes, path);
}

bool CommonUtils::CheckIsDFCreatableFormats(QString const& path)
{
    return listHasSuffix(kDFCreatableSuffixes, path);
}

QString CommonUtils::getFileTypeFilter(bool convertSide)
{
    return convertSide ? kConvertFilter : kCreateFilter;
}

double CommonUtils::getNonRoundingNumber(double value, int decimals)
{
    // Text with ten spare digits, so the cut never sees a digit that printing rounded.
    QString text = QString::number(qAbs(value), 'f', decimals + 10);
    QStringList parts = text.split('.');
    int integer = parts.value(0).toInt();
    QString fractionDigits = parts.value(1);
    fractionDigits.chop(10);
    int fraction = fractionDigits.isEmpty() ? 0 : fractionDigits.toInt();
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i)
        scale *= 10.0;
    double result = integer + fraction / scale;
    return value < 0 ? -result : result;
}

QString CommonUtils::GetWare(QString command)
{
    QProcess process;
    QStringList args = QProcess::splitCommand(command);
    if (args.isEmpty())
        return QString();
    QString program = args.takeFirst();
    process.start(program, args);
    process.waitForFinished(30000);
    QByteArray raw = process.readAllStandardOutput();
    int zero = raw.indexOf('\0');
    if (zero >= 0)
        raw.truncate(zero);
    QString output = QTextCodec::codecForLocale()->toUnicode(raw);
    QString lastWord = command.split(' ').last();
    if (!lastWord.isEmpty())
        output.remove(lastWord, Qt::CaseInsensitive);
    output.remove('\r');
    output.remove('\n');
    return output.simplified();
}

QString CommonUtils::FillIn(QString text, int width, QString, QString tail)
{
    int target = (width - text.length()) * 2;
    if (target > text.length())
        text = text.leftJustified(target, '-');
    return QStringLiteral("%1%2").arg(text, tail);
}

QString CommonUtils::getTmpFileName(QString path, QString tag, int n)
{
    if (!QFileInfo::exists(path))
        return path;
    QFileInfo info(path);
    QString candidate;
    do {
        candidate =
            QStringLiteral("%1/%2_%3.%4").arg(info.absolutePath(), tag, QString::number(n), info.suffix());
        ++n;
    } while (QFileInfo::exists(candidate));
    return candidate;
}

bool CommonUtils::isDirExist(QString path)
{
    return QFileInfo(path).isDir();
}

bool CommonUtils::isFileExist(QString path)
{
    return QFileInfo::exists(path);
}

QPixmap CommonUtils::getFileIcon(QString)
{
    return QPixmap();
}

void CommonUtils::getAllParentPath(QString path, QList<QString>& out)
{
    QDir dir(path);
    if (!dir.exists())
        return;
    out.append(path);
    while (dir.cdUp())
        out.append(dir.path());
}

std::string CommonUtils::UTF8toGBK(std::string const&)
{
    return std::string();
}

QString CommonUtils::getLogPath()
{
    qDebug() << "getLogPath" << __LINE__ << QCoreApplication::applicationDirPath();
    for (auto const& volume : QStorageInfo::mountedVolumes())
        qDebug() << "getLogPath" << __LINE__ << volume.rootPath();
    return QString();
}

bool CommonUtils::isWritableFolder(QString const& path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
    // Permissions alone do not tell (a read-only file system, an administrator's account).
    QTemporaryFile probe(QDir(path).filePath(QStringLiteral(".docquill-probe-XXXXXX")));
    return probe.open();
}

QString CommonUtils::oneLine(QString text)
{
    for (QChar& c : text)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator || c == QLatin1Char('\v') || c == QLatin1Char('\f') ||
            c == QChar(0x85))
            c = QLatin1Char(' ');
    return text;
}
