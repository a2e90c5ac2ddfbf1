#pragma once

/**
 * @file DFDocFormat.h
 * @brief Output formats of DFMutableDocument.
 */

#include <QString>

#include <memory>

/** @brief The name of the PDF format, for DFDocFormat::formatWithName(). */
inline constexpr char DFDocFormatPDF[] = "com.adobe.pdf";

/** @brief An output format that DFMutableDocument can write. */
class DFDocFormat
{
public:
    /**
     * @brief The format of the given name, or null when the layer writes no such format.
     * Only DFDocFormatPDF is known.
     */
    static std::shared_ptr<DFDocFormat> formatWithName(QString const& name);

    /** @brief The format's name, as given to formatWithName(). */
    QString const& name() const { return m_name; }

private:
    explicit DFDocFormat(QString name);

    QString m_name;
};
