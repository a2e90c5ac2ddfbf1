#include "ocr/PdfPageSource.h"

#include "ocr/PdfPassword.h"

#include <QFile>
#include <QFileInfo>

#include <poppler-document.h>
#include <poppler-image.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <new>

namespace docquill::ocr {

namespace {

// The largest side tesseract takes, with a margin.
int const kMaxSide = 30000;

} // namespace

Status PdfPageSource::classifyUnreadable(QString const& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return Status::FileNotFound;
    // Readers accept the header anywhere in the first kilobyte.
    return file.read(1024).contains("%PDF-") ? Status::Damaged : Status::NotPdf;
}

PdfPageSource::PdfPageSource() = default;
PdfPageSource::~PdfPageSource() = default;

Status PdfPageSource::open(QString const& path, QByteArray const& password)
{
    m_document.reset();
    m_error.clear();
    try {
        std::string const file = QFile::encodeName(path).toStdString();
        for (std::string const& secret : PdfPassword::forms(password)) {
            m_document.reset(poppler::document::load_from_file(file, secret, secret));
            if (!m_document || !m_document->is_locked())
                break;
        }
        if (!m_document) {
            Status const status = classifyUnreadable(path);
            m_error = status == Status::FileNotFound ? QStringLiteral("cannot read %1").arg(path)
                      : status == Status::NotPdf     ? QStringLiteral("%1 is not a PDF file").arg(path)
                                                     : QStringLiteral("%1 is damaged").arg(path);
            return status;
        }
        if (m_document->is_locked()) {
            m_document.reset();
            m_error = QStringLiteral("the password does not open %1").arg(path);
            return Status::PasswordError;
        }
    } catch (std::bad_alloc const&) {
        m_document.reset();
        m_error = QStringLiteral("out of memory opening %1").arg(path);
        return Status::OutOfMemory;
    } catch (std::exception const& e) {
        m_document.reset();
        m_error = QString::fromUtf8(e.what());
        return Status::Damaged;
    }
    return Status::Ok;
}

int PdfPageSource::pageCount() const
{
    return m_document ? m_document->pages() : 0;
}

bool PdfPageSource::pageHasText(int index) const
{
    if (!m_document || index < 0 || index >= m_document->pages())
        return false;
    try {
        std::unique_ptr<poppler::page> page(m_document->create_page(index));
        if (!page)
            return false;
        // Raw order: a page of many scattered words would keep the layout reading busy.
        poppler::byte_array const utf8 =
            page->text(poppler::rectf(), poppler::page::raw_order_layout).to_utf8();
        for (char c : utf8) {
            if (!std::isspace(static_cast<unsigned char>(c)))
                return true;
        }
    } catch (std::exception const&) {
    }
    return false;
}

QImage PdfPageSource::renderPage(int index, int dpi, int* usedDpi) const
{
    if (usedDpi)
        *usedDpi = 0;
    if (!m_document || index < 0 || index >= m_document->pages() || dpi <= 0) {
        m_error = QStringLiteral("no page %1 to render").arg(index + 1);
        return {};
    }
    try {
        std::unique_ptr<poppler::page> page(m_document->create_page(index));
        if (!page) {
            m_error = QStringLiteral("page %1 cannot be read").arg(index + 1);
            return {};
        }
        poppler::rectf const box = page->page_rect(poppler::crop_box);
        double const widthInch = std::abs(box.width()) / 72.0;
        double const heightInch = std::abs(box.height()) / 72.0;
        double resolution = dpi;
        double const pixels = widthInch * heightInch * resolution * resolution;
        if (pixels > double(kMaxPixels))
            resolution *= std::sqrt(double(kMaxPixels) / pixels);
        double const longest = std::max(widthInch, heightInch) * resolution;
        if (longest > kMaxSide)
            resolution *= kMaxSide / longest;
        int const effective = std::max(1, int(std::floor(resolution)));

        poppler::page_renderer renderer;
        renderer.set_render_hint(poppler::page_renderer::antialiasing, true);
        renderer.set_render_hint(poppler::page_renderer::text_antialiasing, true);
        renderer.set_image_format(poppler::image::format_gray8);
        renderer.set_paper_color(0xffffffff);
        poppler::image const image = renderer.render_page(page.get(), effective, effective);
        if (!image.is_valid() || image.format() != poppler::image::format_gray8) {
            m_error = QStringLiteral("page %1 cannot be rendered").arg(index + 1);
            return {};
        }
        QImage const view(reinterpret_cast<uchar const*>(image.const_data()), image.width(), image.height(),
                          image.bytes_per_row(), QImage::Format_Grayscale8);
        QImage result = view.copy();
        if (result.isNull()) {
            m_error = QStringLiteral("out of memory rendering page %1").arg(index + 1);
            return {};
        }
        result.setDotsPerMeterX(qRound(effective / 0.0254));
        result.setDotsPerMeterY(qRound(effective / 0.0254));
        if (usedDpi)
            *usedDpi = effective;
        return result;
    } catch (std::exception const& e) {
        m_error =
            QStringLiteral("rendering page %1 failed: %2").arg(index + 1).arg(QString::fromUtf8(e.what()));
    }
    return {};
}

} // namespace docquill::ocr
