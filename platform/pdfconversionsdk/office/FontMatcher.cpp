#include "FontMatcher.h"

#include <QHash>
#include <QRegularExpression>

#include <mutex>

#include <fontconfig/fontconfig.h>

namespace pdfconv {
namespace office {

namespace {

// Names compared without case, blanks and hyphens: "TimesNewRoman" is "Times New Roman".
QString key(QString name)
{
    static QRegularExpression const noise(QStringLiteral("[\\s_-]"));
    return name.remove(noise).toLower();
}

enum class Kind
{
    Sans,
    Serif,
    Mono
};

struct Substitute
{
    char const* pdf;
    char const* family;
    Kind kind;
    bool sameWidths = false; // made to the PDF face's metrics
};

// Metric-compatible families first, then the kind of face a well-known name stands for.
Substitute const kSubstitutes[] = {
    {"arialnarrow", "Liberation Sans Narrow", Kind::Sans, true},
    {"arial", "Liberation Sans", Kind::Sans, true},
    {"helvetica", "Liberation Sans", Kind::Sans, true},
    {"arimo", "Liberation Sans", Kind::Sans, true},
    {"timesnewroman", "Liberation Serif", Kind::Serif, true},
    {"times", "Liberation Serif", Kind::Serif, true},
    {"tinos", "Liberation Serif", Kind::Serif, true},
    {"couriernew", "Liberation Mono", Kind::Mono, true},
    {"courier", "Liberation Mono", Kind::Mono, true},
    {"cousine", "Liberation Mono", Kind::Mono, true},
    {"calibri", "Carlito", Kind::Sans, true},
    {"cambria", "Caladea", Kind::Serif, true},
    {"verdana", "DejaVu Sans", Kind::Sans},
    {"tahoma", "DejaVu Sans", Kind::Sans},
    {"georgia", "Liberation Serif", Kind::Serif},
    {"consolas", "Liberation Mono", Kind::Mono},
    {"symbol", "OpenSymbol", Kind::Serif},
};

QString installedFamily(QStringList const& installed, QString const& wanted)
{
    QString const k = key(wanted);
    for (auto const& family : installed)
        if (key(family) == k)
            return family;
    return QString();
}

QString ofKind(Kind kind, QStringList const& installed)
{
    QStringList const choices = kind == Kind::Mono    ? QStringList{"Liberation Mono", "DejaVu Sans Mono"}
                                : kind == Kind::Serif ? QStringList{"Liberation Serif", "DejaVu Serif"}
                                                      : QStringList{"Liberation Sans", "DejaVu Sans"};
    for (auto const& choice : choices) {
        QString const found = installedFamily(installed, choice);
        if (!found.isEmpty())
            return found;
    }
    return choices.first(); // nothing known here: the reader's machine may have it
}

} // namespace

QStringList const& FontMatcher::installedFamilies()
{
    static QStringList families;
    static std::once_flag once;
    std::call_once(once, [] {
        // Asked of fontconfig in this process, whose caches the text measuring loads anyway:
        // a listing program would cost a process start on every conversion.
        FcPattern* const all = FcPatternCreate();
        FcObjectSet* const family = FcObjectSetBuild(FC_FAMILY, nullptr);
        FcFontSet* const fonts = all && family ? FcFontList(nullptr, all, family) : nullptr;
        for (int i = 0; fonts && i < fonts->nfont; ++i) {
            FcChar8* value = nullptr;
            for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &value) == FcResultMatch; ++n) {
                QString const name = QString::fromUtf8(reinterpret_cast<char const*>(value)).trimmed();
                if (!name.isEmpty() && !families.contains(name))
                    families << name;
            }
        }
        if (fonts)
            FcFontSetDestroy(fonts);
        if (family)
            FcObjectSetDestroy(family);
        if (all)
            FcPatternDestroy(all);
    });
    return families;
}

QString FontMatcher::family(layout::Word const& word)
{
    // Pages are written on one thread, but slides and sheets may come from others.
    thread_local QHash<QString, QString> known;
    // Words come in runs of one font: the last answer saves making and hashing a key per word.
    thread_local QString lastName, lastFamily;
    thread_local char lastKind = 0;
    char const kind = word.monospace ? 'm' : word.serif ? 's' : 'n';
    if (kind == lastKind && word.fontName == lastName)
        return lastFamily;
    QString const id = word.fontName + QLatin1Char(kind);
    auto it = known.constFind(id);
    if (it == known.constEnd())
        it = known.insert(id, family(word, installedFamilies()));
    lastName = word.fontName;
    lastKind = kind;
    lastFamily = it.value();
    return lastFamily;
}

bool FontMatcher::sameWidths(layout::Word const& word)
{
    thread_local QHash<QString, bool> known;
    QString const id = word.fontName + QLatin1Char(word.monospace ? 'm' : word.serif ? 's' : 'n');
    auto it = known.constFind(id);
    if (it != known.constEnd())
        return it.value();
    QString const mapped = key(family(word));
    QString const k = key(word.fontFamily.isEmpty() ? word.fontName : word.fontFamily);
    bool same = !k.isEmpty() && (mapped == k || mapped == key(word.fontName));
    for (auto const& s : kSubstitutes)
        if (!same && k.startsWith(QLatin1String(s.pdf))) {
            same = s.sameWidths && mapped == key(QLatin1String(s.family));
            break;
        }
    return known.insert(id, same).value();
}

QString FontMatcher::family(layout::Word const& word, QStringList const& installed)
{
    Kind const kind = word.monospace ? Kind::Mono : word.serif ? Kind::Serif : Kind::Sans;
    for (QString const& name : {word.fontFamily, word.fontName}) {
        if (name.isEmpty())
            continue;
        QString const own = installedFamily(installed, name);
        if (!own.isEmpty())
            return own;
    }
    QString const k = key(word.fontFamily.isEmpty() ? word.fontName : word.fontFamily);
    for (auto const& s : kSubstitutes) {
        if (!k.startsWith(QLatin1String(s.pdf)))
            continue;
        QString const found = installedFamily(installed, QLatin1String(s.family));
        return found.isEmpty() ? ofKind(s.kind, installed) : found;
    }
    return ofKind(kind, installed);
}

} // namespace office
} // namespace pdfconv
