#pragma once

/**
 * @file DFException.h
 * @brief The exception type of the document framework layer.
 */

#include <QString>

#include <exception>
#include <string>

/** @brief Name of the exception raised for a bad argument (missing file, unknown format, ...). */
inline constexpr char DFInvalidArgumentException[] = "DFInvalidArgumentException";
/** @brief Name of the exception raised when a source document could not be loaded. */
inline constexpr char DFDocumentLoadException[] = "DFDocumentLoadException";
/** @brief Name of the exception raised for a call out of order (pages before loading ended, ...). */
inline constexpr char DFInconsistentStateException[] = "DFInconsistentStateException";
/** @brief Name of the exception raised when the output document cannot be written. */
inline constexpr char DFFileWriteException[] = "DFFileWriteException";
/** @brief Cause of a DFDocumentLoadException: the source is damaged or not a document of its type. */
inline constexpr char DFCauseUnreadable[] = "DFCauseUnreadable";
/** @brief Cause of either exception: the disk (or the user's quota on it) is full. */
inline constexpr char DFCauseDiskFull[] = "DFCauseDiskFull";

/**
 * @brief Raised by every failing call of the layer, in the manner of an NSException: a name that
 * classifies the failure and a reason in English.
 */
class DFException : public std::exception
{
public:
    /** @brief Makes an exception of the class @p name with the text @p reason and, where it is
     * known, one of the causes declared in this header. */
    DFException(QString name, QString reason, QString cause = QString());

    /** @brief The class of failure, one of the names declared in this header. */
    QString const& name() const { return m_name; }
    /** @brief What went wrong, in English. */
    QString const& reason() const { return m_reason; }
    /** @brief A cause declared in this header, or empty. */
    QString const& cause() const { return m_cause; }
    /** @brief "name: reason" in UTF-8. */
    char const* what() const noexcept override { return m_what.c_str(); }

private:
    QString m_name;
    QString m_reason;
    QString m_cause;
    std::string m_what;
};
