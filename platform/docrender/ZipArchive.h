#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

typedef struct zip zip_t;

namespace docrender {

// Read-only access to the members of a zip archive (EPUB books) through libzip, with a size
// limit on every member so that a forged archive cannot exhaust memory.
class ZipArchive
{
public:
    enum class ReadStatus
    {
        Ok,
        Missing,
        Encrypted,
        TooLarge,
        Damaged
    };

    ZipArchive() = default;
    ~ZipArchive();
    ZipArchive(ZipArchive const&) = delete;
    ZipArchive& operator=(ZipArchive const&) = delete;

    bool open(QString const& path, QString* error);
    QStringList names() const;
    // The member's bytes; a null array with the reason in @p status when it cannot be read.
    QByteArray read(QString const& name, ReadStatus* status = nullptr) const;

    static constexpr qint64 kMaxMemberSize = qint64(64) << 20;

private:
    zip_t* m_zip = nullptr;
};

} // namespace docrender
