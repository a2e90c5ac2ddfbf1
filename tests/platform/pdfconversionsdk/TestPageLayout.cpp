#include "engine/PageImageRenderer.h"
#include "layout/FontTraits.h"
#include "layout/Footnotes.h"
#include "layout/HyphenJoins.h"
#include "layout/LayoutAnalyzer.h"
#include "layout/RunningHeads.h"
#include "layout/ScriptOrder.h"
#include "layout/TableDetector.h"
#include "office/FontMatcher.h"

#include <QtTest>

using namespace pdfconv::layout;

namespace {

// Lays out words the way a PDF page would hold them: 10 pt text, 12 pt line pitch.
class PageBuilder
{
public:
    // A line of words starting at x on the baseline row y (top of the line box).
    PageBuilder& line(double x, double y, QString const& text, double size = 10, bool bold = false,
                      bool monospace = false)
    {
        for (auto const& t : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            Word w;
            w.text = t;
            w.fontSize = size;
            w.bold = bold;
            w.monospace = monospace;
            double const width = t.size() * size * 0.5;
            w.box = QRectF(x, y, width, size);
            w.spaceAfter = true;
            m_words << w;
            x += width + size * 0.3;
        }
        return *this;
    }
    // Paragraph lines of n words each, "<tag><i>" words, from (x, y) down.
    PageBuilder& column(double x, double y, QString const& tag, int lines, int perLine = 6)
    {
        for (int l = 0; l < lines; ++l) {
            QStringList ws;
            for (int i = 0; i < perLine; ++i)
                ws << QStringLiteral("%1%2").arg(tag).arg(l * perLine + i);
            line(x, y + 12 * l, ws.join(QLatin1Char(' ')));
        }
        return *this;
    }
    // A cell's text 2 pt inside the column [left, right], as a spreadsheet prints it: set
    // left ('l'), right ('r') or centred ('c').
    PageBuilder& cell(double left, double right, double y, QString const& text, char align)
    {
        double const width = text.size() * 5.0 - text.count(QLatin1Char(' ')) * 2.0;
        double const x = align == 'l'   ? left + 2
                         : align == 'r' ? right - 2 - width
                                        : (left + right - width) / 2;
        return line(x, y, text);
    }
    // A mark set small and raised after the last word.
    PageBuilder& raised(QString const& mark)
    {
        Word w;
        w.text = mark;
        w.fontSize = 6;
        QRectF const& last = m_words.last().box;
        w.box = QRectF(last.right() + 0.5, last.top() - 2, 3, 6);
        m_words.last().spaceAfter = false;
        m_words << w;
        return *this;
    }
    PageLayout analyze(int index = 0) const
    {
        return LayoutAnalyzer::analyze(m_words, QSizeF(595, 842), index);
    }

    QVector<Word> m_words;
};

QStringList blockTexts(PageLayout const& page)
{
    QStringList out;
    for (auto const& b : page.blocks)
        out << b.text();
    return out;
}

QString allText(PageLayout const& page)
{
    return blockTexts(page).join(QLatin1Char('\n'));
}

} // namespace

class TestPageLayout : public QObject
{
    Q_OBJECT

private slots:
    // Lines at the top or foot of the pages that repeat there (numbers aside), or stand where
    // the others' do, are running heads; the numbers that go up with the pages are theirs.
    void runningHeads_data()
    {
        QTest::addColumn<QStringList>("heads"); // each page's top line ('|': far apart); empty: none
        QTest::addColumn<QStringList>("feet");  // each page's last line
        QTest::addColumn<QString>("found");     // per page: h for a head, f for a foot, - for none
        QTest::addColumn<QList<int>>("numbers");
        QStringList const none{"", "", "", ""};
        QTest::newRow("a head on every page")
            << QStringList{"Field report", "Field report", "Field report", "Field report"} << none << "hhhh"
            << QList<int>{0, 0, 0, 0};
        QTest::newRow("page numbers") << none << QStringList{"Page 1", "Page 2", "Page 3", "Page 4"} << "ffff"
                                      << QList<int>{1, 2, 3, 4};
        QTest::newRow("numbers from 5")
            << none << QStringList{"- 5 -", "- 6 -", "- 7 -", "- 8 -"} << "ffff" << QList<int>{5, 6, 7, 8};
        QTest::newRow("Arabic-Indic numbers")
            << none << QStringList{"صفحة ٩", "صفحة ١٠", "صفحة ١١", "صفحة ١٢"} << "ffff" << QList<int>{9, 10, 11, 12};
        QTest::newRow("a section's name where heads stand")
            << QStringList{"Methods", "Methods", "Methods", "Results"} << none << "hhhh"
            << QList<int>{0, 0, 0, 0};
        QTest::newRow("a title page without")
            << QStringList{"", "Methods", "Methods", "Methods"} << QStringList{"", "2", "3", "4"} << "-hhh"
            << QList<int>{0, 2, 3, 4};
        QTest::newRow("a name alone on the first page")
            << QStringList{"Journal of Tests", "Journal of Tests|Ames and Berg",
                           "Journal of Tests|Ames and Berg"}
            << QStringList{"", "", ""} << "hhh" << QList<int>{0, 0, 0};
        QTest::newRow("first lines that differ")
            << QStringList{"alpha beta", "gamma delta", "one two", "three"} << none << "----"
            << QList<int>{0, 0, 0, 0};
        // A page alone: only its own number is known for a running foot.
        QTest::newRow("one page") << QStringList{"Field report"} << QStringList{"Page 1"} << "f"
                                  << QList<int>{1};
    }

    void runningHeads()
    {
        QFETCH(QStringList, heads);
        QFETCH(QStringList, feet);
        QFETCH(QString, found);
        QFETCH(QList<int>, numbers);
        QVector<PageLayout> pages;
        for (int p = 0; p < heads.size(); ++p) {
            PageBuilder b;
            QStringList const pieces = heads.at(p).split(QLatin1Char('|'), Qt::SkipEmptyParts);
            for (int k = 0; k < pieces.size(); ++k)
                b.line(56 + 340 * k, 30, pieces.at(k), 9);
            b.column(56, 100, QStringLiteral("p%1w").arg(p), 30);
            if (!feet.at(p).isEmpty())
                b.line(280, 805, feet.at(p), 9);
            pages << b.analyze(p);
        }
        QVector<PageLayout const*> layouts;
        for (auto const& page : pages)
            layouts << &page;
        QVector<RunningHeads::Page> const result = RunningHeads::find(layouts);
        QString got;
        QList<int> gotNumbers;
        for (auto const& page : result) {
            got += !page.header.isEmpty() ? 'h' : !page.footer.isEmpty() ? 'f' : '-';
            gotNumbers << page.number;
            // The body stays the body; the number is marked among the words.
            QCOMPARE(page.blocks.size(), page.header.size() + page.footer.size());
            int marked = 0;
            for (auto const& block : page.header + page.footer)
                for (auto const& line : block.lines)
                    for (auto const& word : line.words)
                        marked += word.pageNumber ? 1 : 0;
            QCOMPARE(marked, page.number > 0 ? 1 : 0);
        }
        QCOMPARE(got, found);
        QCOMPARE(gotNumbers, numbers);
    }

    // Small text at the foot of a page after a mark that stands raised in the page's text is
    // a footnote; the blocks that hold only notes are named.
    void footnotes_data()
    {
        QTest::addColumn<bool>("markInText");
        QTest::addColumn<bool>("markApart"); // the marks set as a column of their own
        QTest::addColumn<bool>("glued");     // the marks read as one word with the notes' first
        QTest::addColumn<bool>("codeAbove"); // small code between the text and the notes
        QTest::addColumn<double>("noteSize");
        QTest::addColumn<QString>("marks"); // the first note's and the second's
        QTest::addColumn<QString>("firstWord");
        QTest::addColumn<int>("notes");
        QString const the = QStringLiteral("The"), word = QStringLiteral("توقفت");
        QTest::newRow("numbered notes") << true << false << false << false << 8.0 << "12" << the << 2;
        QTest::newRow("marks in a column of their own") << true << true << false << false << 8.0 << "12" << the << 2;
        QTest::newRow("small code above them") << true << false << false << true << 8.0 << "12" << the << 2;
        QTest::newRow("marks glued to the notes") << true << false << true << false << 8.0 << "12" << the << 2;
        QTest::newRow("Arabic-Indic marks") << true << false << false << false << 8.0 << "١٢" << the << 2;
        QTest::newRow("glued before a letter without case")
            << true << false << true << false << 8.0 << "12" << word << 2;
        QTest::newRow("no mark in the text") << false << false << false << false << 8.0 << "12" << the << 0;
        QTest::newRow("body size at the foot") << true << false << false << false << 10.0 << "12" << the << 0;
    }

    void footnotes()
    {
        QFETCH(bool, markInText);
        QFETCH(bool, markApart);
        QFETCH(bool, glued);
        QFETCH(bool, codeAbove);
        QFETCH(double, noteSize);
        QFETCH(QString, marks);
        QFETCH(QString, firstWord);
        QFETCH(int, notes);
        PageBuilder b;
        b.column(56, 100, QStringLiteral("a"), 20);
        b.line(56, 340, QStringLiteral("the first claim"));
        if (markInText)
            b.raised(marks.mid(0, 1));
        b.line(56, 352, QStringLiteral("and the second claim ends here."));
        if (markInText)
            b.raised(marks.mid(1, 1));
        b.column(56, 364, QStringLiteral("c"), 20);
        if (codeAbove)
            b.line(80, 700, QStringLiteral("set x = 1;"), 8, false, true)
                .line(80, 710, QStringLiteral("set y = 2;"), 8, false, true);
        // Marks apart from their notes, or raised just before them as TeX sets them.
        auto const note = [&](double y, QString const& mark, QString const& text) {
            if (glued)
                return void(b.line(60, y, mark + text, noteSize));
            if (markApart)
                b.line(56, y, mark, noteSize);
            else if (!mark.isEmpty())
                b.line(56, y - 2, mark, 6).m_words.last().spaceAfter = false;
            b.line(markApart ? 86 : 60, y, text, noteSize);
        };
        note(760, marks.mid(0, 1), firstWord + QStringLiteral(" first note says this."));
        note(770, marks.mid(1, 1), firstWord + QStringLiteral(" second note"));
        note(780, QString(), QStringLiteral("goes on here."));
        PageLayout const page = b.analyze();
        Footnotes::Found const found = Footnotes::find(page, 10);
        QCOMPARE(found.notes.size(), notes);
        if (notes == 0)
            return;
        QCOMPARE(found.notes.at(0).mark, marks.mid(0, 1));
        QCOMPARE(found.notes.at(0).text.text(), firstWord + QStringLiteral(" first note says this."));
        QCOMPARE(found.notes.at(1).text.text(), firstWord + QStringLiteral(" second note goes on here."));
        Block const& anchor = page.blocks.at(found.notes.at(1).block);
        QCOMPARE(anchor.lines.at(found.notes.at(1).line).words.at(found.notes.at(1).word).text, marks.mid(1, 1));
        QString left;
        for (int k = 0; k < page.blocks.size(); ++k)
            if (!found.blocks.contains(k))
                left += page.blocks.at(k).text();
        QVERIFY2(!left.contains(QStringLiteral("note")), qPrintable(left));
        QCOMPARE(left.contains(QStringLiteral("set x")), codeAbove);
    }

    // Notes without marks stand under a short rule; each follows the end of the text above it.
    void footnotesWithoutMarks()
    {
        PageBuilder b;
        b.column(56, 100, QStringLiteral("a"), 30);
        b.line(56, 740, QStringLiteral("A note of small type."), 8);
        PageLayout const page = b.analyze();
        QCOMPARE(Footnotes::find(page, 10).notes.size(), 0);
        Footnotes::Found const found = Footnotes::find(page, 10, {QLineF(56, 735, 128, 735)});
        QCOMPARE(found.notes.size(), 1);
        Footnote const& note = found.notes.first();
        QVERIFY(note.after);
        QCOMPARE(note.text.text(), QStringLiteral("A note of small type."));
        QCOMPARE(page.blocks.at(note.block).lines.at(note.line).words.at(note.word).text, QStringLiteral("a179"));
    }

    // Code in a face of fixed pitch is a block of its own, even in the body's size and pitch.
    void codeIsABlockOfItsOwn()
    {
        PageBuilder b;
        b.column(56, 100, QStringLiteral("a"), 3);
        b.line(56, 136, QStringLiteral("set x = 1;"), 10, false, true);
        b.line(56, 148, QStringLiteral("set y = 2;"), 10, false, true);
        b.column(56, 160, QStringLiteral("b"), 3);
        QStringList const blocks = blockTexts(b.analyze());
        QCOMPARE(blocks.size(), 3);
        QCOMPARE(blocks.at(1), QStringLiteral("set x = 1; set y = 2;"));
    }

    // PDF fonts become installed families of the same kind; subsets go by their base name.
    void fontFamilies_data()
    {
        QTest::addColumn<QString>("pdfName");
        QTest::addColumn<QString>("family");
        QTest::newRow("installed subset") << "BAAAAA+DejaVuSans-Bold"
                                          << "DejaVu Sans";
        QTest::newRow("installed, spaced") << "LiberationSerif-Italic"
                                           << "Liberation Serif";
        QTest::newRow("metric twin") << "ArialMT"
                                     << "Liberation Sans";
        QTest::newRow("metric twin, bold") << "TimesNewRomanPS-BoldMT"
                                           << "Liberation Serif";
        QTest::newRow("mono twin") << "CourierNewPSMT"
                                   << "Liberation Mono";
        QTest::newRow("unknown serif") << "ABCDEF+MinionPro-Regular"
                                       << "Liberation Serif";
        QTest::newRow("unknown sans") << "FrutigerLT-Roman"
                                      << "Liberation Sans";
        QTest::newRow("unknown mono") << "SourceCodePro-Mono"
                                      << "Liberation Mono";
        QTest::newRow("twin not installed") << "Calibri-Bold"
                                            << "Liberation Sans";
        QTest::newRow("narrow twin") << "ArialNarrow-Bold"
                                     << "Liberation Sans Narrow";
    }

    void fontFamilies()
    {
        QFETCH(QString, pdfName);
        QFETCH(QString, family);
        QStringList const here = {"DejaVu Sans",           "DejaVu Serif",     "DejaVu Sans Mono",
                                  "Liberation Sans",       "Liberation Serif", "Liberation Mono",
                                  "Liberation Sans Narrow"};
        FontTraits const traits = FontTraits::fromPdfName(pdfName);
        Word word;
        word.fontName = traits.name;
        word.fontFamily = traits.family;
        word.monospace = traits.monospace;
        word.serif = traits.serif;
        QCOMPARE(pdfconv::office::FontMatcher::family(word, here), family);
    }

    void columnsAreReadOneAfterAnother_data()
    {
        QTest::addColumn<double>("rightOffset"); // baseline shift of the right column
        QTest::addColumn<bool>("title");
        QTest::addColumn<bool>("heading"); // over the left column, justified with wide spaces
        QTest::newRow("aligned baselines") << 0.0 << false << false;
        QTest::newRow("shifted baselines") << 5.0 << false << false;
        QTest::newRow("under a title") << 0.0 << true << false;
        QTest::newRow("right column starts higher") << -30.0 << false << false;
        QTest::newRow("heading with wide spaces beside a column") << 0.0 << false << true;
    }

    void columnsAreReadOneAfterAnother()
    {
        QFETCH(double, rightOffset);
        QFETCH(bool, title);
        QFETCH(bool, heading);
        PageBuilder b;
        if (title)
            b.line(150, 40, QStringLiteral("A Title Across Both Columns"), 20);
        if (heading)
            b.line(56, 100, QStringLiteral("Environmental"), 14, true)
                .line(175, 100, QStringLiteral("consider-"), 14, true)
                .line(56, 118, QStringLiteral("ations in transport"), 14, true);
        b.column(56, heading ? 140 : 100, QStringLiteral("L"), 10)
            .column(320, 100 + rightOffset, QStringLiteral("R"), 8);
        PageLayout const page = b.analyze();
        QString const text = allText(page);
        QVERIFY2(text.indexOf(QStringLiteral("L59")) < text.indexOf(QStringLiteral("R0 ")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("L5 R")));
        QCOMPARE(page.columns.size(), title ? 3 : 2);
        if (title)
            QVERIFY(text.startsWith(QStringLiteral("A Title")));
        if (heading)
            QVERIFY2(text.startsWith(QStringLiteral("Environmental consider-\nations in transport\nL0 ")),
                     qPrintable(text));
    }

    // A heading set larger than the body may reach far into the gutter, next to a line of the
    // next column: the columns go on, and the heading is no part of that line.
    void aHeadingReachingIntoTheGutter()
    {
        PageBuilder b;
        b.column(56, 100, QStringLiteral("L"), 5);
        b.line(56, 160, QStringLiteral("What people thought of the long"), 14, true);
        b.column(56, 180, QStringLiteral("M"), 5);
        b.column(264, 100, QStringLiteral("R"), 12);
        PageLayout const page = b.analyze();
        QString const text = allText(page);
        QVERIFY2(blockTexts(page).contains(QStringLiteral("What people thought of the long")), qPrintable(text));
        QVERIFY2(text.indexOf(QStringLiteral("M29")) < text.indexOf(QStringLiteral("R0 ")), qPrintable(text));
        QCOMPARE(page.columns.size(), 2);
    }

    // A short heading over the first column and a caption set in from the second leave a
    // wide gap on their row; the first column's lines below reach into it from their side.
    void columnsUnderAShortHeading()
    {
        PageBuilder b;
        b.line(56, 100, QStringLiteral("Aims"), 14, true);
        b.line(250, 102, QStringLiteral("Visits per walk"), 8);
        for (int l = 0; l < 8; ++l)
            b.line(56, 124 + 12 * l, QStringLiteral("Lawns in city parks are mown A%1").arg(l));
        b.column(236, 136, QStringLiteral("B"), 8);
        b.column(384, 100, QStringLiteral("C"), 12);
        PageLayout const page = b.analyze();
        QString const text = allText(page);
        QVERIFY2(text.indexOf(QStringLiteral("A7")) < text.indexOf(QStringLiteral("B0 ")), qPrintable(text));
        QVERIFY2(text.indexOf(QStringLiteral("B47")) < text.indexOf(QStringLiteral("C0 ")), qPrintable(text));
        QCOMPARE(page.columns.size(), 3);
    }

    // A label and its value far apart on one row are one line, not two columns.
    void labelAndValueStayOneLine()
    {
        PageBuilder b;
        b.column(56, 100, QStringLiteral("p"), 3);
        b.line(56, 150, QStringLiteral("Total:"));
        b.line(400, 150, QStringLiteral("42 EUR"));
        b.column(56, 180, QStringLiteral("q"), 3);
        QString const text = allText(b.analyze());
        QVERIFY2(text.contains(QStringLiteral("Total: 42 EUR")), qPrintable(text));
    }

    void paragraphsSplitOnSpacingIndentAndSize()
    {
        PageBuilder b;
        b.column(56, 100, QStringLiteral("a"), 3); // lines at 100, 112, 124
        b.column(56, 148, QStringLiteral("b"), 2); // extra space above
        b.line(76, 172, QStringLiteral("indented first line"));
        b.line(56, 184, QStringLiteral("and its second line."));
        b.line(56, 200, QStringLiteral("Bigger words"), 14);
        QStringList const blocks = blockTexts(b.analyze());
        QCOMPARE(blocks.size(), 4);
        QVERIFY(blocks.at(0).startsWith(QStringLiteral("a0 ")) &&
                blocks.at(0).endsWith(QStringLiteral("a17")));
        QVERIFY(blocks.at(1).startsWith(QStringLiteral("b0 ")));
        QCOMPARE(blocks.at(2), QStringLiteral("indented first line and its second line."));
        QCOMPARE(blocks.at(3), QStringLiteral("Bigger words"));
    }

    void lineJoins()
    {
        PageBuilder b;
        b.line(56, 100, QStringLiteral("a well-"));
        b.line(56, 112, QStringLiteral("known fact and"));
        b.line(56, 124, QStringLiteral("more"));
        QCOMPARE(blockTexts(b.analyze()), QStringList{QStringLiteral("a well-known fact and more")});
    }

    void headingsFollowTheBodySize()
    {
        PageBuilder b;
        b.line(56, 40, QStringLiteral("Big"), 20).line(56, 80, QStringLiteral("Medium"), 14);
        b.line(56, 110, QStringLiteral("Small"), 12).column(56, 140, QStringLiteral("x"), 5);
        PageLayout page = b.analyze();
        LayoutAnalyzer::markHeadings(page, page.bodyFontSize);
        QCOMPARE(page.bodyFontSize, 10.0);
        QCOMPARE(page.blocks.size(), 4);
        QCOMPARE(page.blocks.at(0).headingLevel, 1);
        QCOMPARE(page.blocks.at(1).headingLevel, 2);
        QCOMPARE(page.blocks.at(2).headingLevel, 3);
        QCOMPARE(page.blocks.at(3).kind, BlockKind::Paragraph);
    }

    void rotatedTextReadsAlongItsDirection()
    {
        PageBuilder b;
        // "up" written bottom to top at the left margin, then "side" top to bottom.
        Word up;
        up.text = QStringLiteral("first");
        up.rotation = 3;
        up.fontSize = 10;
        up.box = QRectF(20, 500, 10, 25);
        Word up2 = up;
        up2.text = QStringLiteral("second");
        up2.box = QRectF(20, 465, 10, 30);
        b.m_words << up2 << up;
        b.line(56, 100, QStringLiteral("upright text"));
        QCOMPARE(blockTexts(b.analyze()), (QStringList{"upright text", "first second"}));
    }

    void rightToLeftLinesKeepLogicalOrder()
    {
        PageBuilder b;
        b.line(100, 100, QStringLiteral("שלום עולם"));
        // Word boxes run left to right; the first word of the sentence is the rightmost.
        std::swap(b.m_words[0].text, b.m_words[1].text);
        PageLayout const page = b.analyze();
        QVERIFY(page.blocks.at(0).lines.at(0).rightToLeft);
        QCOMPARE(page.blocks.at(0).text(), QStringLiteral("שלום עולם"));
    }

    // Words as the PDF library reads them, left to right on the page, each with its letters in
    // the order they stand; a trailing '+' glues a word to the next without a gap, a '~' sets
    // it a kern apart, narrower than a space.
    void scriptsReadInLogicalOrder_data()
    {
        QTest::addColumn<QStringList>("drawn");
        QTest::addColumn<QString>("read");
        QTest::newRow("hebrew as drawn") << QStringList{"םלוע", "םולש"} << "שלום עולם";
        QTest::newRow("hebrew letter by letter")
            << QStringList{"ה+", "א+", "ב+", "ה", "ה+", "נ+", "ש+", "ל", "ל+", "ש"} << "של לשנה הבאה";
        QTest::newRow("arabic with a number")
            << QStringList{"ةنيدملا", "1951", "ماع", "يف"} << "في عام 1951 المدينة";
        QTest::newRow("arabic number and stop glued") << QStringList{".1951", "ماع"} << "عام 1951.";
        QTest::newRow("latin phrase in arabic")
            << QStringList{"ةرم", "New", "York", "ترز"} << "زرت New York مرة";
        QTest::newRow("hebrew phrase in english")
            << QStringList{"see", "םלוע", "םולש", "there"} << "see שלום עולם there";
        QTest::newRow("text layer in reading order") << QStringList{"עולם", "שלום"} << "שלום עולם";
        QTest::newRow("arabic word kerned apart after waw")
            << QStringList{"ةلي~", "وط", "ةرتفل"} << "لفترة طويلة";
        QTest::newRow("arabic words a space apart after waw") << QStringList{"ةلي", "وط"} << "طو يلة";
        QTest::newRow("arabic word kerned apart before a joining letter")
            << QStringList{"ةلي~", "بط"} << "طب يلة";
        QTest::newRow("burmese as drawn")
            << QStringList{QStringLiteral("\u1031\u103C\u1019"),
                           QStringLiteral("\u1031\u1000\u103B\u102C\u1004\u103A\u1038")}
            << QStringLiteral("\u1019\u103C\u1031 \u1000\u103B\u1031\u102C\u1004\u103A\u1038");
        QTest::newRow("burmese as read")
            << QStringList{QStringLiteral("\u1019\u103C\u1031"), QStringLiteral("\u1000\u1031")}
            << QStringLiteral("\u1019\u103C\u1031 \u1000\u1031");
    }

    void scriptsReadInLogicalOrder()
    {
        QFETCH(QStringList, drawn);
        QFETCH(QString, read);
        QVector<Word> words;
        double x = 100;
        for (QString text : drawn) {
            bool const glued = text.endsWith(QLatin1Char('+'));
            bool const kerned = text.endsWith(QLatin1Char('~'));
            if (glued || kerned)
                text.chop(1);
            Word w;
            w.text = text;
            w.fontSize = 10;
            w.box = QRectF(x, 100, 5.0 * text.size(), 10);
            w.spaceAfter = !glued; // the PDF library marks the gap to the word on the right
            x = w.box.right() + (glued ? 0 : kerned ? 1.25 : 3);
            words << w;
        }
        ScriptOrder::toLogical(words);
        PageLayout const page = LayoutAnalyzer::analyze(words, QSizeF(595, 842), 0);
        QCOMPARE(page.blocks.size(), 1);
        QCOMPARE(page.blocks.at(0).text(), read);
    }

    void fontNames_data()
    {
        QTest::addColumn<QString>("pdfName");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("serif");
        QTest::newRow("subset bold") << "ABCDEF+Arial-BoldMT"
                                     << "Arial" << true << false << false;
        QTest::newRow("comma style") << "TimesNewRomanPS,BoldItalic"
                                     << "TimesNewRoman" << true << true << true;
        QTest::newRow("short italic") << "MinionPro-It"
                                      << "MinionPro" << false << true << true;
        QTest::newRow("URW italic") << "PJQRJH+NimbusRomNo9L-ReguItal"
                                    << "NimbusRomNo9L" << false << true << true;
        QTest::newRow("plain sans") << "DejaVuSans"
                                    << "DejaVuSans" << false << false << false;
        QTest::newRow("not a subset") << "ABCDE+Foo"
                                      << "ABCDE+Foo" << false << false << false;
        QTest::newRow("TeX bold") << "WOKKDC+CMBX12"
                                  << "CMBX12" << true << false << true;
        QTest::newRow("TeX italic") << "CMTI7"
                                    << "CMTI7" << false << true << true;
        QTest::newRow("TeX sans") << "CMSS10"
                                  << "CMSS10" << false << false << false;
    }

    void fontNames()
    {
        QFETCH(QString, pdfName);
        QFETCH(QString, family);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, serif);
        FontTraits const t = FontTraits::fromPdfName(pdfName);
        QCOMPARE(t.family, family);
        QCOMPARE(t.bold, bold);
        QCOMPARE(t.italic, italic);
        QCOMPARE(t.serif, serif);
    }

    void tablesFromGeometry_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("tables");
        QTest::addColumn<bool>("ruled");
        QTest::newRow("ruled grid") << "grid" << 1 << true;
        QTest::newRow("aligned numbers") << "aligned" << 1 << false;
        QTest::newRow("two text columns") << "columns" << 0 << false;
        QTest::newRow("two rows of two") << "short" << 0 << false;
        QTest::newRow("grid without text") << "empty grid" << 0 << false;
        QTest::newRow("frame around a paragraph") << "frame" << 0 << false;
    }

    void tablesFromGeometry()
    {
        QFETCH(QString, kind);
        QFETCH(int, tables);
        QFETCH(bool, ruled);
        PageBuilder b;
        QVector<QLineF> rulings;
        b.column(56, 40, QStringLiteral("top"), 2);
        int const rows = kind == QLatin1String("short") ? 2 : 4;
        int const columns = kind == QLatin1String("short") ? 2 : 3;
        if (kind == QLatin1String("grid") || kind == QLatin1String("aligned") ||
            kind == QLatin1String("short"))
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < columns; ++c)
                    b.line(110 + c * 100, 106 + r * 20, QString::number((r + 1) * 10 + c));
        if (kind == QLatin1String("grid") || kind == QLatin1String("empty grid")) {
            for (int r = 0; r <= rows; ++r)
                rulings << QLineF(100, 100 + r * 20, 400, 100 + r * 20);
            for (int c = 0; c <= 3; ++c)
                rulings << QLineF(100 + c * 100, 100, 100 + c * 100, 100 + rows * 20);
        }
        if (kind == QLatin1String("columns"))
            b.column(56, 100, QStringLiteral("L"), 8).column(320, 100, QStringLiteral("R"), 8);
        if (kind == QLatin1String("frame")) {
            b.column(60, 104, QStringLiteral("f"), 3);
            rulings << QLineF(50, 100, 300, 100) << QLineF(50, 150, 300, 150) << QLineF(50, 100, 50, 150)
                    << QLineF(300, 100, 300, 150);
        }
        b.column(56, 300, QStringLiteral("end"), 2);
        PageLayout const page = LayoutAnalyzer::analyzeWithTables(b.m_words, QSizeF(595, 842), 0, rulings);
        QCOMPARE(page.tables.size(), tables);
        QString const text = allText(page);
        QVERIFY(text.contains(QStringLiteral("top0")) && text.contains(QStringLiteral("end0")));
        if (tables == 0) {
            QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\b[LRf]\\d+"))),
                     kind == QLatin1String("columns") ? 96
                     : kind == QLatin1String("frame") ? 18
                                                      : 0);
            return;
        }
        Table const& table = page.tables.first();
        QCOMPARE(table.ruled, ruled);
        QCOMPARE(table.rowCount(), rows);
        QCOMPARE(table.columnCount(), 3);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < 3; ++c)
                QCOMPARE(table.rows.at(r).at(c).text(), QString::number((r + 1) * 10 + c));
        // Between the text above and below, which stays running text.
        QCOMPARE(page.blocks.size(), 2);
        QCOMPARE(table.beforeBlock, 1);
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("\\b10\\b"))));
    }

    // Tables without rules as spreadsheets print them: the header row, headings set left, is
    // part of the table, and so are a group's labels on rows of their own; columns come from
    // the text edges of all rows, however narrow the gap.
    void tablesWithoutRules_data()
    {
        QTest::addColumn<QVector<double>>("edges");
        QTest::addColumn<QString>("align"); // of each column's cells; headings are set left
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("headings set left over numbers set right")
            << QVector<double>{56, 156, 226, 296, 366} << "lrrr"
            << QList<QStringList>{{"Account", "Q1", "Q2", "Total"},
                                  {"Salaries and wages", "245,025.82", "-436.98", "244,588.84"},
                                  {"Rent", "1,250.00", "12.50", "1,262.50"},
                                  {"Bank charges", "-87.13", "9,999.99", "9,912.86"}};
        QTest::newRow("header over dates against text")
            << QVector<double>{56, 126, 226, 296} << "rlr"
            << QList<QStringList>{{"Date", "Item", "Amount"},
                                  {"2024-01-02", "Desk lamp", "12.00"},
                                  {"2024-01-05", "Chair", "120.50"},
                                  {"2024-01-09", "Monitor arm", "89.99"}};
        QTest::newRow("sparse last column") << QVector<double>{56, 126, 196, 266, 316} << "lrrl"
                                            << QList<QStringList>{{"Ref", "Amount", "Balance", "Note"},
                                                                  {"A-1", "554.96", "11445.04", ""},
                                                                  {"A-2", "347.65", "13152.37", "ok"},
                                                                  {"A-3", "2205.81", "9586.88", ""},
                                                                  {"A-4", "12.00", "9574.88", ""}};
        QTest::newRow("word spaces that line up stay in their cell")
            << QVector<double>{56, 216, 296} << "lr"
            << QList<QStringList>{{"Task", "Due"},
                                  {"Replace the meeting room screen", "27 Mar 2024"},
                                  {"Hire an assistant", "28 Mar 2024"},
                                  {"Draft the budget", "14 Mar 2024"}};
        QTest::newRow("group labels on rows of their own")
            << QVector<double>{56, 156, 226, 296} << "lrr"
            << QList<QStringList>{{"Service", "2019", "2020"},
                                  {"Education", "", ""},
                                  {"Primary schools", "22,257", "23,866"},
                                  {"School transport", "9,129", "8,569"},
                                  {"Environment", "", ""},
                                  {"Waste collection", "3,452", "3,261"},
                                  {"Street cleaning", "6,795", "6,429"}};
    }

    void tablesWithoutRules()
    {
        QFETCH(QVector<double>, edges);
        QFETCH(QString, align);
        QFETCH(QList<QStringList>, rows);
        PageBuilder b;
        b.column(56, 40, QStringLiteral("top"), 2);
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows.at(r).size(); ++c)
                b.cell(edges.at(c), edges.at(c + 1), 100 + 14 * r, rows.at(r).at(c),
                       r == 0 ? 'l' : align.at(c).toLatin1());
        b.column(56, 300, QStringLiteral("end"), 2);
        PageLayout const page = LayoutAnalyzer::analyzeWithTables(b.m_words, QSizeF(595, 842), 0, {});
        QCOMPARE(page.tables.size(), 1);
        QList<QStringList> cells;
        for (auto const& row : page.tables.first().rows) {
            cells.append(QStringList());
            for (auto const& cell : row)
                cells.last() << cell.text();
        }
        for (int r = 0; r < rows.size(); ++r)
            QCOMPARE(cells.value(r).join(QLatin1Char('|')), rows.at(r).join(QLatin1Char('|')));
        QCOMPARE(cells.size(), rows.size());
        QCOMPARE(page.blocks.size(), 2);
    }

    void tableBesideAColumnOfText()
    {
        PageBuilder b;
        for (int l = 0; l < 14; ++l)
            b.line(320, 60 + 14 * l, QStringLiteral("words of running text in the next column go on"));
        b.column(56, 60, QStringLiteral("left"), 2, 5);
        QList<QStringList> const rows{{"g", "tests", "c"}, {"0", "31", "1.52"}, {"25", "29", "1.47"},
                                      {"50", "30", "1.33"}, {"75", "28", "1.07"}};
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < 3; ++c)
                b.cell(56 + 60 * c, 116 + 60 * c, 102 + 14 * r, rows.at(r).at(c), r == 0 ? 'l' : 'r');
        PageLayout const page = LayoutAnalyzer::analyzeWithTables(b.m_words, QSizeF(595, 842), 0, {});
        QCOMPARE(page.tables.size(), 1);
        Table const& table = page.tables.first();
        QCOMPARE(table.rowCount(), rows.size());
        QCOMPARE(table.columnCount(), 3);
        QCOMPARE(table.rows.at(1).at(2).text(), QStringLiteral("1.52"));
        QVERIFY(table.box.right() < 320);
        int running = 0;
        for (auto const& block : page.blocks)
            running += block.text().count(QStringLiteral("running"));
        QCOMPARE(running, 14);
    }

    // The page's text around a table without rules keeps out of it: the next columns of a poster,
    // whose lines fall between the table's rows, and a heading there; a title over the table
    // at its left edge takes none of its columns with it.
    void tableAmongText_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("middle of three columns")
            << "columns"
            << QList<QStringList>{{"Flowers", "12", "61"}, {"Species", "9", "17"}, {"Visits", "1.2", "3.9"}};
        QTest::newRow("under a title at its left edge")
            << "title"
            << QList<QStringList>{{"Account", "Q1", "Q2", "Q3", "Total"},
                                  {"Rent", "1.50", "2.50", "3.50", "7.50"},
                                  {"Fuel", "4.00", "5.00", "6.00", "15.00"},
                                  {"Audit", "7.25", "8.25", "9.25", "24.75"}};
    }

    void tableAmongText()
    {
        QFETCH(QString, kind);
        QFETCH(QList<QStringList>, rows);
        bool const columns = kind == QLatin1String("columns");
        PageBuilder b;
        double const left = columns ? 230 : 56, top = columns ? 172 : 100;
        if (columns) {
            // The table's rows share their lines with the left column's; the right column's
            // lines stand between them, and its heading beside the table.
            b.column(40, 100, QStringLiteral("left"), 16, 5);
            b.column(230, 100, QStringLiteral("mid"), 5, 5).column(230, 220, QStringLiteral("mid"), 3, 5);
            for (int l = 0; l < 15; ++l)
                if (l < 6 || l > 7)
                    b.line(420, 106 + 12 * l, QStringLiteral("right words of the third column"));
            b.line(420, 178, QStringLiteral("Methods in detail"), 14, true);
        } else {
            b.line(58, 88, QStringLiteral("Budget by quarter"), 10, true);
        }
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows.at(r).size(); ++c)
                b.cell(left + 40 * c, left + 40 * (c + 1), top + 12 * r, rows.at(r).at(c),
                       c == 0 ? 'l' : 'r');
        PageLayout const page = LayoutAnalyzer::analyzeWithTables(b.m_words, QSizeF(595, 842), 0, {});
        QCOMPARE(page.tables.size(), 1);
        Table const& table = page.tables.first();
        QCOMPARE(table.columnCount(), rows.first().size());
        QCOMPARE(table.rowCount(), rows.size());
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows.at(r).size(); ++c)
                QCOMPARE(table.rows.at(r).at(c).text(), rows.at(r).at(c));
        QString const text = allText(page);
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\bleft\\d+"))), columns ? 16 * 5 : 0);
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\bmid\\d+"))), columns ? 8 * 5 : 0);
        QCOMPARE(text.count(QStringLiteral("words of the third column")), columns ? 13 : 0);
        QVERIFY(text.contains(columns ? QStringLiteral("Methods in detail")
                                      : QStringLiteral("Budget by quarter")));
    }

    // Numbers a manuscript sets beside its lines in the margin leave the text, which would
    // otherwise be a table of numbers and lines; numbers at the text's own edge stay.
    void lineNumbers_data()
    {
        QTest::addColumn<bool>("left");      // in the left margin, else the right one
        QTest::addColumn<int>("every");      // a number on every n-th line
        QTest::addColumn<int>("step");       // from one number to the next
        QTest::addColumn<double>("heading"); // x of a heading over the lines
        QTest::addColumn<int>("taken");
        QTest::newRow("left margin") << true << 1 << 1 << 70.0 << 30;
        QTest::newRow("every fifth line") << true << 5 << 5 << 70.0 << 6;
        QTest::newRow("right margin") << false << 1 << 1 << 70.0 << 30;
        QTest::newRow("heading at the numbers' edge") << true << 1 << 1 << 40.0 << 0;
        QTest::newRow("counting down") << true << 1 << -1 << 70.0 << 0;
    }

    void lineNumbers()
    {
        QFETCH(bool, left);
        QFETCH(int, every);
        QFETCH(int, step);
        QFETCH(double, heading);
        QFETCH(int, taken);
        PageBuilder b;
        b.line(heading, 40, QStringLiteral("Results of the survey"), 12, true);
        int number = step > 0 ? 1 : 30;
        for (int l = 0; l < 30; ++l) {
            b.line(70, 70 + 14 * l, QStringLiteral("moss carpets take up the nitrogen of rain l%1").arg(l));
            if ((l + 1) % every != 0)
                continue;
            QString const text = QString::number(number * (step > 0 ? step : 1));
            double const width = text.size() * 3.5;
            b.line(left ? 60 - width : 380, 72 + 14 * l, text, 7);
            number += step > 0 ? 1 : -1;
        }
        PageLayout const page = LayoutAnalyzer::analyzeWithTables(b.m_words, QSizeF(595, 842), 0, {});
        QCOMPARE(page.lineNumbers.size(), taken);
        if (taken == 0)
            return;
        QVERIFY(page.tables.isEmpty());
        QString const text = allText(page);
        QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("(^|\\s)\\d+(\\s|$)"))), qPrintable(text));
        for (auto const& block : page.blocks)
            QVERIFY2(block.box.left() >= std::min(heading, 70.0) - 0.5 && block.box.right() < 380,
                     qPrintable(block.text()));
    }

    // Numbers that count down a table's rows, as a journal's entries on a page without its
    // header, are the table's first column, with or without a grid.
    void entryNumbersOfATable_data()
    {
        QTest::addColumn<bool>("grid");
        QTest::newRow("without rules") << false;
        QTest::newRow("in a grid") << true;
    }

    void entryNumbersOfATable()
    {
        QFETCH(bool, grid);
        PageBuilder b;
        QVector<QLineF> rulings;
        int const rows = 12;
        for (int r = 0; r < rows; ++r) {
            double const y = 60 + 14 * r;
            b.line(70, y, QString::number(5054 + r))
                .line(101, y, QStringLiteral("2023-12-%1").arg(10 + r))
                .line(153, y, r % 2 ? QStringLiteral("Accounts payable") : QStringLiteral("Inventory"))
                .line(269, y, QStringLiteral("JV-%1").arg(7100 + 3 * r))
                .line(361, y, QStringLiteral("%1.25").arg(1000 + 37 * r));
        }
        QVector<double> const edges{64, 96, 148, 264, 340, 400};
        if (grid) {
            for (int r = 0; r <= rows; ++r)
                rulings << QLineF(edges.first(), 58 + 14 * r, edges.last(), 58 + 14 * r);
            for (double x : edges)
                rulings << QLineF(x, 58, x, 58 + 14 * rows);
        }
        PageLayout const page = LayoutAnalyzer::analyzeWithTables(b.m_words, QSizeF(595, 842), 0, rulings);
        QVERIFY(page.lineNumbers.isEmpty());
        QCOMPARE(page.tables.size(), 1);
        Table const& table = page.tables.first();
        QCOMPARE(table.rowCount(), rows);
        QCOMPARE(table.columnCount(), 5);
        QCOMPARE(table.rows.at(0).at(0).text(), QStringLiteral("5054"));
        QCOMPARE(table.rows.at(rows - 1).at(4).text(), QStringLiteral("1407.25"));
    }

    // Lines of words "text|face|size|x|y" between two lines of running text.
    void displayEquations_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("equations");
        QTest::newRow("numbered")
            << QStringList{"Q(t)|LMMathItalic10|10|250|110", "=|LMRoman10|10|272|110",
                           "Q|LMMathItalic10|10|284|110", "0|LMRoman7|7|291|114", "e|LMMathItalic10|10|296|110",
                           "−kt|LMMathSymbols8|8|302|106", "(1)|LMRoman10|10|500|110"}
            << QStringList{"Q(t) = Q0 e−kt (1)"};
        QTest::newRow("fraction in the italic of the text face")
            << QStringList{"V|Times-Italic|10|262|104", "i|Times-Italic|7|268|108", "K|Times-Italic|10|300|104",
                           "ΔR|Symbol|10|230|112", "≈|Symbol|10|250|112", "≈|Symbol|10|285|112",
                           "(3)|Times-Roman|10|500|112", "h|Times-Italic|10|262|120", "n|Times-Italic|10|302|120"}
            << QStringList{"V i K ΔR ≈ ≈ (3) h n"};
        QTest::newRow("mathematics within a sentence")
            << QStringList{"where|LMRoman10|10|56|110", "k|LMMathItalic10|10|85|110",
                           "is|LMRoman10|10|95|110", "the|LMRoman10|10|107|110", "constant|LMRoman10|10|125|110"}
            << QStringList{};
        QTest::newRow("code")
            << QStringList{"SYS|LiberationMono|10|56|110", "=|LiberationMono|10|80|110",
                           "HEAT-1|LiberationMono|10|92|110"}
            << QStringList{};
    }

    void displayEquations()
    {
        QFETCH(QStringList, words);
        QFETCH(QStringList, equations);
        PageBuilder b;
        b.line(56, 80, QStringLiteral("The discharge falls exponentially with time as the store drains"));
        for (auto const& spec : words) {
            QStringList const f = spec.split(QLatin1Char('|'));
            Word w;
            w.text = f.at(0);
            w.fontName = f.at(1);
            w.fontSize = f.at(2).toDouble();
            w.italic = w.fontName.contains(QLatin1String("Italic"));
            w.monospace = w.fontName.contains(QLatin1String("Mono"));
            w.box = QRectF(f.at(3).toDouble(), f.at(4).toDouble(), 5.0 * w.text.size(), w.fontSize);
            w.spaceAfter = true;
            b.m_words << w;
        }
        b.line(56, 140, QStringLiteral("and the storage left in the slow store at that time is small"));
        PageLayout const page = LayoutAnalyzer::analyzeWithTables(b.m_words, QSizeF(595, 842), 0, {});
        QStringList found;
        for (auto const& block : page.blocks)
            if (block.kind == BlockKind::Equation)
                found << block.text().remove(QLatin1Char(' '));
        for (auto& e : equations)
            e.remove(QLatin1Char(' '));
        QCOMPARE(found, equations);
        QVERIFY(page.tables.isEmpty());
    }

    // A paragraph whose first line ends cut at a hyphen, after a paragraph of other words of
    // the document; the hyphen turns soft where the two pieces are one word.
    void hyphenJoins_data()
    {
        QTest::addColumn<QString>("elsewhere");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("joined");
        QTest::newRow("whole elsewhere") << "proceeding slowly" << "we are proceed-" << "ing now" << true;
        QTest::newRow("pieces no words") << "the views" << "they hold con-" << "tradictory views" << true;
        QTest::newRow("syllable of two letters") << "the other one" << "and an-" << "other one" << true;
        QTest::newRow("two words") << "follow the way up" << "the follow-" << "up visit" << false;
        QTest::newRow("compound within a line") << "a long-term plan" << "its long-" << "term plan" << false;
        QTest::newRow("capital") << "the valley" << "the Anglo-" << "Saxon valley" << false;
        QTest::newRow("number") << "the station" << "station UV-" << "04 failed" << false;
        QTest::newRow("Cyrillic") << "своих теплотрасс" << "на протяжении деся-" << "тилетий" << true;
    }

    void hyphenJoins()
    {
        QFETCH(QString, elsewhere);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(bool, joined);
        PageBuilder b;
        b.line(56, 80, elsewhere).line(56, 120, first).line(56, 132, second);
        PageLayout page = b.analyze();
        QCOMPARE(page.blocks.size(), 2);
        HyphenJoins joins;
        joins.learn(page);
        QCOMPARE(joins.join(page), joined ? 1 : 0);
        QString const text = page.blocks.at(1).text();
        QString expected = first + second;
        if (joined)
            expected.replace(QLatin1Char('-'), QChar(0x00AD));
        QCOMPARE(text, expected);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("integer") << "42" << true << 42.0;
        QTest::newRow("thousands") << "1,234,567.5" << true << 1234567.5;
        QTest::newRow("negative") << "-12.25" << true << -12.25;
        QTest::newRow("minus sign") << QString(QChar(0x2212)) + "7" << true << -7.0;
        QTest::newRow("plus and spaces") << " +3 " << true << 3.0;
        QTest::newRow("no leading digit") << ".5" << true << 0.5;
        QTest::newRow("zero") << "0" << true << 0.0;
        QTest::newRow("leading zero code") << "0042" << false << 0.0;
        QTest::newRow("bad grouping") << "1,23" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
        QTest::newRow("percent") << "3.5%" << false << 0.0;
        QTest::newRow("word") << "12a" << false << 0.0;
        QTest::newRow("too many digits") << "1234567890123456" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("sign only") << "-" << false << 0.0;
    }

    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        double parsed = -1;
        QCOMPARE(TableDetector::parseNumber(text, &parsed), isNumber);
        if (isNumber)
            QCOMPARE(parsed, value);
    }

    void pageImageNamesSort()
    {
        using pdfconv::engine::PageImageRenderer;
        QCOMPARE(PageImageRenderer::fileName(QStringLiteral("doc"), 7, 12, 2), QStringLiteral("doc_007.png"));
        QCOMPARE(PageImageRenderer::fileName(QStringLiteral("doc"), 7, 1200, 0),
                 QStringLiteral("doc_0007.jpg"));
        QCOMPARE(PageImageRenderer::fileName(QStringLiteral("doc"), 1, 1, 99), QStringLiteral("doc_001.jpg"));
    }
};

QTEST_GUILESS_MAIN(TestPageLayout)
#include "TestPageLayout.moc"
