#pragma once

#include <QString>

#include <qpdf/InputSource.hh>

#include <string>
#include <vector>

namespace pdfconv {
namespace engine {

// A PDF file for qpdf, read at offsets through a buffer of its own. qpdf's own file source
// asks the system where it stands before every read: tens of thousands of calls for a
// document of a hundred pages, on every thread that reads one.
class FileSource : public InputSource
{
public:
    // Throws std::runtime_error when the file cannot be opened.
    explicit FileSource(QString const& path);
    ~FileSource() override;
    FileSource(FileSource const&) = delete;
    FileSource& operator=(FileSource const&) = delete;

    qpdf_offset_t findAndSkipNextEOL() override;
    std::string const& getName() const override;
    qpdf_offset_t tell() override;
    void seek(qpdf_offset_t offset, int whence) override;
    void rewind() override;
    size_t read(char* buffer, size_t length) override;
    void unreadCh(char ch) override;

private:
    size_t readAt(qpdf_offset_t offset, char* buffer, size_t length);

    int m_fd = -1;
    std::string m_name;
    qpdf_offset_t m_position = 0;
    std::vector<char> m_buffer; // the bytes from m_bufferStart
    qpdf_offset_t m_bufferStart = 0;
    size_t m_bufferLength = 0;
};

} // namespace engine
} // namespace pdfconv
