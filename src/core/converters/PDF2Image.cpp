#include "converters/PDF2Image.h"

#include "converters/QImageFunction.h"
#include "converters/SdkBoundary.h"
#include "engines/ResultCodes.h"
#include "utils/CommonUtils.h"
#include "utils/TempFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>

namespace {

// The number a page image's name ends with ("report_012.png" gives 12); -1 when none.
qint64 pageNumber(QString const& path)
{
    static const QRegularExpression trailingNumber(QStringLiteral("(\\d+)(?!.*\\d)"));
    QRegularExpressionMatch match = trailingNumber.match(QFileInfo(path).completeBaseName());
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

} // namespace

PDF2Image::~PDF2Image() = default;

QString PDF2Image::getImageSuffix(pdfconv::base::ImageType type)
{
    switch (type) {
    case pdfconv::base::ImageTypeJpeg:
        return QStringLiteral(".jpeg");
    case pdfconv::base::ImageTypePng:
        return QStringLiteral(".png");
    case pdfconv::base::ImageTypeBmp:
        return QStringLiteral(".bmp");
    case pdfconv::base::ImageTypeTiff:
        return QStringLiteral(".tiff");
    default:
        return QStringLiteral(".jpg");
    }
}

int PDF2Image::convert(QString const& input, QString const& output, QString const& password,
                       ConvertOption const& option)
{
    pdfconv::base::ConvertOptions record = baseOptions();
    record.imageScale = static_cast<float>(option.m_imageScale);
    record.imageType = option.m_imageType;
    SdkBoundary const& sdk = SdkBoundary::current();

    if (!option.m_adjoinPages) {
        bool const made = !QFileInfo::exists(output) && QDir().mkpath(output);
        int const code = sdk.startImage(input.toUtf8().constData(), password.toUtf8().constData(),
                                        output.toUtf8().constData(), record, nullptr);
        // A failure leaves no empty folder of ours behind.
        if (code != 0 && made)
            QDir().rmdir(output);
        return code;
    }

    QString name = QFileInfo(input).baseName() +
                   getImageSuffix(static_cast<pdfconv::base::ImageType>(option.m_imageType));
    CommonUtils::duplicateFilenameHandle(output, name);
    // The page images are working files: they go to this copy's Temp folder, never to the
    // user's, and are removed whatever the outcome.
    QTemporaryDir pageFolder(TempFolder::path() + QStringLiteral("pages-XXXXXX"));
    if (!pageFolder.isValid())
        return ConvertErrorUnknown;
    int code = sdk.startImage(input.toUtf8().constData(), password.toUtf8().constData(),
                              pageFolder.path().toUtf8().constData(), record, nullptr);
    if (code != 0)
        return code;
    return adjoinPages(pageFolder.path(), output + QStringLiteral("/") + name, option) ? 0
                                                                                       : ConvertErrorUnknown;
}

bool PDF2Image::adjoinPages(QString const& pageFolder, QString const& outputFile, ConvertOption const& option)
{
    QStringList images;
    QDirIterator it(pageFolder, QDir::Files);
    while (it.hasNext())
        images << it.next();
    // Directory order is not page order on most file systems: sort by the page number.
    std::sort(images.begin(), images.end(), [](QString const& a, QString const& b) {
        qint64 pa = pageNumber(a), pb = pageNumber(b);
        return pa != pb ? pa < pb : a < b;
    });
    return QImageFunction::imageMosaic(images, outputFile, option.m_separatorWidth, option.m_separatorColor);
}
