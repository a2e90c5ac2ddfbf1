#include "ChmBook.h"

#include "ChapterBuilder.h"
#include "PagedTextWriter.h"
#include "ResourceTextDocument.h"
#include "TextDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <chm_lib.h>

#include <algorithm>
#include <memory>

namespace docrender {

namespace {

constexpr qint64 kMaxObjectSize = qint64(64) << 20;

RenderResult failure(RenderError error, QString const& message)
{
    RenderResult r;
    r.error = error;
    r.message = message;
    return r;
}

struct ChmCloser
{
    void operator()(chmFile* file) const { chm_close(file); }
};
using ChmHandle = std::unique_ptr<chmFile, ChmCloser>;

int collectPath(chmFile*, chmUnitInfo* info, void* context)
{
    static_cast<QStringList*>(context)->append(QString::fromUtf8(info->path));
    return CHM_ENUMERATOR_CONTINUE;
}

QByteArray readObject(chmFile* file, QString const& path)
{
    QByteArray const name = path.toUtf8();
    if (name.size() > CHM_MAX_PATHLEN)
        return QByteArray();
    chmUnitInfo info;
    if (chm_resolve_object(file, name.constData(), &info) != CHM_RESOLVE_SUCCESS)
        return QByteArray();
    if (info.length > quint64(kMaxObjectSize))
        return QByteArray();
    QByteArray data(int(info.length), Qt::Uninitialized);
    if (info.length > 0 && chm_retrieve_object(file, &info, reinterpret_cast<unsigned char*>(data.data()), 0,
                                               LONGINT64(info.length)) != LONGINT64(info.length))
        return QByteArray();
    if (data.isNull())
        data = QByteArray("", 0);
    return data;
}

bool isPage(QString const& path)
{
    return path.endsWith(".htm", Qt::CaseInsensitive) || path.endsWith(".html", Qt::CaseInsensitive);
}

// The "Local" entries of the table of contents, in order, without anchors or repeats.
QStringList contentsOrder(chmFile* file, QStringList const& paths)
{
    QStringList order;
    auto const hhc = std::find_if(paths.begin(), paths.end(),
                                  [](QString const& p) { return p.endsWith(".hhc", Qt::CaseInsensitive); });
    if (hhc == paths.end())
        return order;
    QString const contents = TextDecoder::decodeHtml(readObject(file, *hhc));
    static QRegularExpression const param(R"(<param\b[^>]*>)", QRegularExpression::CaseInsensitiveOption);
    static QRegularExpression const name(R"(\bname\s*=\s*["']?local["'\s>])",
                                         QRegularExpression::CaseInsensitiveOption);
    static QRegularExpression const value(R"re(\bvalue\s*=\s*(?:"([^"]*)"|'([^']*)'))re",
                                          QRegularExpression::CaseInsensitiveOption);
    QSet<QString> seen;
    QSet<QString> known;
    for (QString const& p : paths)
        known.insert(p.toLower());
    auto it = param.globalMatch(contents);
    while (it.hasNext()) {
        QString const tag = it.next().captured(0);
        if (!name.match(tag).hasMatch())
            continue;
        QRegularExpressionMatch const v = value.match(tag);
        QString local = v.captured(1).isEmpty() ? v.captured(2) : v.captured(1);
        int const merged = local.indexOf("::");
        if (merged >= 0) // "other.chm::/page.htm" points into this or a merged file
            local = local.mid(merged + 2);
        local = local.section('#', 0, 0);
        if (local.isEmpty())
            continue;
        QString const path = ResourceTextDocument::resolve(*hhc, local);
        if (path.isEmpty() || !known.contains(path.toLower()) || seen.contains(path.toLower()))
            continue;
        seen.insert(path.toLower());
        order.append(path);
    }
    return order;
}

} // namespace

RenderResult ChmBook::render(QString const& source, QString const& pdfPath)
{
    ChmHandle file(chm_open(QFile::encodeName(source).constData()));
    if (!file)
        return failure(RenderError::CannotOpen, "the file is not a readable CHM help file");
    QStringList paths;
    chm_enumerate(file.get(), CHM_ENUMERATE_ALL, collectPath, &paths);

    QStringList pages = contentsOrder(file.get(), paths);
    if (pages.isEmpty()) {
        for (QString const& path : paths) {
            if (isPage(path) && !path.startsWith("/#") && !path.startsWith("/$"))
                pages.append(path);
        }
        std::sort(pages.begin(), pages.end());
    }

    chmFile* const raw = file.get();
    ResourceTextDocument document([raw](QString const& path) { return readObject(raw, path); });
    document.setDefaultFont(PagedTextWriter::documentFont());
    ChapterBuilder builder(document);
    for (QString const& page : pages) {
        QByteArray const data = readObject(raw, page);
        if (!data.isNull() && !builder.addChapter(page, TextDecoder::decodeHtml(data)))
            return failure(RenderError::CannotOpen, "the CHM help file is too large to lay out");
    }
    if (builder.chapterCount() == 0)
        return failure(RenderError::CannotOpen, "the CHM help file has no readable pages");
    return PagedTextWriter::write(document, pdfPath, QFileInfo(source).completeBaseName());
}

} // namespace docrender
