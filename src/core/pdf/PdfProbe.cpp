#include "pdf/PdfProbe.h"

#include "pdf/PdfPasswordProbe.h"

#include <QList>
#include <QtDebug>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>

#include <exception>
#include <set>
#include <vector>

namespace {

QString const kOpenIcon = QStringLiteral("PDF-3x.png");
QString const kLockIcon = QStringLiteral("PDFLock-3x.png");

int pageCountOf(QPDF& pdf)
{
    try {
        return static_cast<int>(pdf.getAllPages().size());
    } catch (std::exception const& e) {
        qWarning() << "initPDF" << __LINE__ << "cannot count the pages:" << e.what();
        return -1;
    }
}

// qpdf reads an RC4 key length that the standard does not allow (7 or 4096 bits) as 128 bits;
// the conversion's reader takes it as given and then finds no password right.
bool unusableKeyLength(QPDF& pdf)
{
    try {
        QPDFObjectHandle encrypt = pdf.getTrailer().getKey("/Encrypt");
        if (!encrypt.isDictionary())
            return false;
        QPDFObjectHandle version = encrypt.getKey("/V");
        QPDFObjectHandle length = encrypt.getKey("/Length");
        if (!version.isInteger() || length.isNull())
            return false;
        long long const v = version.getIntValue();
        if (v != 2 && v != 3)
            return false;
        bool const usable = length.isInteger() && length.getIntValue() >= 40 && length.getIntValue() <= 128 &&
                            length.getIntValue() % 8 == 0;
        if (usable)
            return false;
        qWarning() << "initPDF" << __LINE__ << "the encryption dictionary has an unusable /Length";
        return true;
    } catch (std::exception const& e) {
        qWarning() << "initPDF" << __LINE__ << "cannot read the encryption dictionary:" << e.what();
        return false;
    }
}

// Counting pages reads every page object: beyond this many (about 35 ms) the helper counts them.
constexpr std::size_t kPagesCountedHere = 1000;

// Walks the page tree, whatever its /Count says, until it finds more pages or nodes than are
// counted here.
bool manyPages(QPDF& pdf)
{
    try {
        std::vector<QPDFObjectHandle> waiting{pdf.getRoot().getKey("/Pages")};
        std::set<QPDFObjGen> seen;
        std::size_t pages = 0;
        std::size_t nodes = 0;
        while (!waiting.empty()) {
            QPDFObjectHandle node = waiting.back();
            waiting.pop_back();
            if (node.isIndirect() && !seen.insert(node.getObjGen()).second)
                continue;
            QPDFObjectHandle kids = node.isDictionary() ? node.getKey("/Kids") : QPDFObjectHandle();
            if (!kids.isArray()) {
                ++pages;
            } else {
                int const count = kids.getArrayNItems();
                if (std::size_t(count) > 2 * kPagesCountedHere - waiting.size())
                    return true;
                for (int i = 0; i < count; ++i)
                    waiting.push_back(kids.getArrayItem(i));
            }
            if (pages > kPagesCountedHere || ++nodes > 2 * kPagesCountedHere)
                return true;
        }
        return false;
    } catch (std::exception const&) {
        return false;
    }
}

// A file with its cross-reference table intact opens at once; rebuilding one reads the whole
// file, which is the helper's work.
void prepare(QPDF& pdf, bool repair)
{
    pdf.setAttemptRecovery(repair);
    pdf.setSuppressWarnings(repair);
}

} // namespace

PdfProbe::Facts PdfProbe::read(QString const& path, bool repair)
{
    Facts facts;
    QPDF pdf;
    QByteArray const name = path.toUtf8();
    try {
        prepare(pdf, repair);
        pdf.processFile(name.constData());
        if (!repair && manyPages(pdf)) {
            facts.verdict = ReadApart;
            return facts;
        }
        facts.verdict = Readable;
        facts.icon = kOpenIcon;
        facts.pageCount = pageCountOf(pdf);
        facts.unprotectFirst = unusableKeyLength(pdf);
    } catch (QPDFExc const& e) {
        if (e.getErrorCode() == qpdf_e_password) {
            if (!repair && manyPages(pdf)) {
                facts.verdict = ReadApart;
                return facts;
            }
            facts.verdict = Readable;
            facts.locked = !pdf.userPasswordMatched();
            if (facts.locked)
                facts.icon = kLockIcon;
            facts.pageCount = pageCountOf(pdf);
            facts.unprotectFirst = unusableKeyLength(pdf);
            return facts;
        }
        if (!repair) {
            facts.verdict = ReadApart;
            return facts;
        }
        // qpdf refuses some broken encryption dictionaries that other readers open with the
        // password: such a file is locked, not damaged.
        if (PdfPasswordProbe::probe(path, QString()) == PdfPasswordProbe::NeedsPassword) {
            qWarning() << "initPDF" << __LINE__ << "qpdf cannot read the encryption:" << e.what();
            facts.verdict = Readable;
            facts.locked = true;
            facts.icon = kLockIcon;
            facts.pageCount = 0;
            return facts;
        }
        if (e.getErrorCode() == qpdf_e_damaged_pdf) {
            facts.verdict = Damaged;
            facts.detail = QString::fromLocal8Bit(e.what());
            return facts;
        }
        facts.verdict = Readable;
        facts.pageCount = pageCountOf(pdf);
    } catch (std::exception const& e) {
        if (!repair) {
            facts.verdict = ReadApart;
            return facts;
        }
        // An unreadable file: accepted unlocked with one page, as for other qpdf errors.
        qWarning() << "initPDF" << __LINE__ << e.what();
        facts.verdict = Readable;
    }
    return facts;
}

PdfProbe::Unlock PdfProbe::unlock(QString const& path, QString const& password, bool repair, int* pageCount)
{
    QPDF pdf;
    QByteArray const name = path.toUtf8();
    QByteArray const pass = password.toUtf8();
    try {
        prepare(pdf, repair);
        pdf.processFile(name.constData(), pass.constData());
    } catch (QPDFExc const& e) {
        if (e.getErrorCode() == qpdf_e_password)
            return Unlock::WrongPassword;
        if (!repair)
            return Unlock::ReadApart;
        switch (PdfPasswordProbe::probe(path, password, pageCount)) {
        case PdfPasswordProbe::Open:
            return Unlock::Unlocked;
        case PdfPasswordProbe::NeedsPassword:
            return Unlock::WrongPassword;
        case PdfPasswordProbe::CannotOpen:
            break;
        }
        qWarning() << "PDFDecrypt" << __LINE__ << "cannot open the file:" << e.what();
        return Unlock::CannotOpen;
    } catch (std::exception const& e) {
        if (!repair)
            return Unlock::ReadApart;
        qWarning() << "PDFDecrypt" << __LINE__ << "cannot open the file:" << e.what();
        return Unlock::CannotOpen;
    }
    if (!pdf.userPasswordMatched())
        return Unlock::WrongPassword;
    // The dialog waits for the count: in the helper that wait has a bound.
    if (!repair && manyPages(pdf))
        return Unlock::ReadApart;
    int const count = pageCountOf(pdf);
    if (pageCount && count >= 0)
        *pageCount = count;
    return Unlock::Unlocked;
}

QByteArray PdfProbe::encode(Facts const& facts)
{
    int const icon = facts.icon == kOpenIcon ? 1 : facts.icon == kLockIcon ? 2 : 0;
    return QByteArray("read ") + QByteArray::number(int(facts.verdict)) + ' ' + (facts.locked ? '1' : '0') +
           ' ' + QByteArray::number(icon) + ' ' + QByteArray::number(facts.pageCount) + ' ' +
           (facts.unprotectFirst ? '1' : '0') + '\n';
}

bool PdfProbe::decode(QByteArray const& line, Facts* facts)
{
    QList<QByteArray> const fields = line.trimmed().split(' ');
    if (fields.size() != 6 || fields[0] != "read")
        return false;
    bool ok[5] = {};
    int const verdict = fields[1].toInt(&ok[0]);
    int const locked = fields[2].toInt(&ok[1]);
    int const icon = fields[3].toInt(&ok[2]);
    int const pages = fields[4].toInt(&ok[3]);
    int const unprotect = fields[5].toInt(&ok[4]);
    for (bool const good : ok) {
        if (!good)
            return false;
    }
    if (verdict < Readable || verdict > Unreadable || locked < 0 || locked > 1 || icon < 0 || icon > 2 ||
        pages < -1 || unprotect < 0 || unprotect > 1)
        return false;
    facts->verdict = Verdict(verdict);
    facts->locked = locked == 1;
    facts->icon = icon == 1 ? kOpenIcon : icon == 2 ? kLockIcon : QString();
    facts->pageCount = pages;
    facts->unprotectFirst = unprotect == 1;
    return true;
}

QByteArray PdfProbe::encode(Unlock result, int pageCount)
{
    return QByteArray("unlock ") + QByteArray::number(int(result)) + ' ' + QByteArray::number(pageCount) +
           '\n';
}

bool PdfProbe::decode(QByteArray const& line, Unlock* result, int* pageCount)
{
    QList<QByteArray> const fields = line.trimmed().split(' ');
    if (fields.size() != 3 || fields[0] != "unlock")
        return false;
    bool ok = false;
    bool countOk = false;
    int const value = fields[1].toInt(&ok);
    int const count = fields[2].toInt(&countOk);
    if (!ok || !countOk || value < int(Unlock::Unlocked) || value > int(Unlock::CannotOpen) || count < -1)
        return false;
    *result = Unlock(value);
    *pageCount = count;
    return true;
}
