#include "ZipArchive.h"

#include <QFile>

#include <zip.h>

namespace docrender {

ZipArchive::~ZipArchive()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool ZipArchive::open(QString const& path, QString* error)
{
    int code = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (m_zip)
        return true;
    zip_error_t zipError;
    zip_error_init_with_code(&zipError, code);
    *error = QString::fromUtf8(zip_error_strerror(&zipError));
    zip_error_fini(&zipError);
    return false;
}

QStringList ZipArchive::names() const
{
    QStringList result;
    zip_int64_t const count = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        if (char const* name = zip_get_name(m_zip, zip_uint64_t(i), 0))
            result.append(QString::fromUtf8(name));
    }
    return result;
}

QByteArray ZipArchive::read(QString const& name, ReadStatus* status) const
{
    ReadStatus ignored;
    ReadStatus& result = status ? *status : ignored;
    QByteArray const utf8 = name.toUtf8();
    zip_int64_t index = zip_name_locate(m_zip, utf8.constData(), 0);
    if (index < 0) // references in books do not always match the stored case
        index = zip_name_locate(m_zip, utf8.constData(), ZIP_FL_NOCASE);
    if (index < 0) {
        result = ReadStatus::Missing;
        return QByteArray();
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        stat.size > zip_uint64_t(kMaxMemberSize)) {
        result = ReadStatus::TooLarge;
        return QByteArray();
    }
    zip_file_t* const file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file) {
        int const code = zip_error_code_zip(zip_get_error(m_zip));
        result = code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD ? ReadStatus::Encrypted
                                                                       : ReadStatus::Damaged;
        return QByteArray();
    }
    // The stored size may lie; read no more than the limit whatever it says.
    QByteArray data;
    char buffer[65536];
    result = ReadStatus::Ok;
    for (;;) {
        zip_int64_t const n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            result = ReadStatus::Damaged;
            break;
        }
        if (n == 0)
            break;
        if (data.size() + n > kMaxMemberSize) {
            result = ReadStatus::TooLarge;
            break;
        }
        data.append(buffer, int(n));
    }
    zip_fclose(file);
    if (result != ReadStatus::Ok)
        return QByteArray();
    if (data.isNull())
        data = QByteArray("", 0);
    return data;
}

} // namespace docrender
