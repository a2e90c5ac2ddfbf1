#pragma once

#include "layout/PageLayout.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace pdfconv {
namespace engine {

// Writes a document page by page from the layout model, so memory stays with one page.
class DocumentWriter
{
public:
    virtual ~DocumentWriter() = default;

    bool open(QString const& path);
    // The file is complete and flushed; false when any write failed.
    bool close();
    QString errorString() const { return m_error; }
    // The failure was a full disk.
    bool diskFull() const { return m_diskFull; }

    virtual void begin(QString const& title, QSizeF const& firstPageSize) = 0;
    virtual void writePage(layout::PageLayout const& page, bool lastPage) = 0;
    virtual void end() = 0;

protected:
    void write(QByteArray const& bytes);
    void write(QString const& text) { write(text.toUtf8()); }
    void write(char const* text) { write(QByteArray(text)); }

private:
    void flush();
    void fail();

    QFile m_file;
    QByteArray m_buffer;
    QString m_error;
    bool m_diskFull = false;
};

class TextWriter : public DocumentWriter
{
public:
    void begin(QString const& title, QSizeF const& firstPageSize) override;
    void writePage(layout::PageLayout const& page, bool lastPage) override;
    void end() override;
};

class RtfWriter : public DocumentWriter
{
public:
    void begin(QString const& title, QSizeF const& firstPageSize) override;
    void writePage(layout::PageLayout const& page, bool lastPage) override;
    void end() override;

    // Text as RTF: control characters escaped, everything beyond ASCII as \uN.
    static QByteArray escape(QString const& text);
};

class HtmlWriter : public DocumentWriter
{
public:
    void begin(QString const& title, QSizeF const& firstPageSize) override;
    void writePage(layout::PageLayout const& page, bool lastPage) override;
    void end() override;

    static QString escape(QString const& text);

private:
    double m_bodySize = 0;
};

} // namespace engine
} // namespace pdfconv
