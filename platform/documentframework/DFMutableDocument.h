#pragma once

/**
 * @file DFMutableDocument.h
 * @brief The PDF document that the layer writes from the pages of source documents.
 */

#include "DFTypes.h"

#include <QString>

#include <memory>

class DFDocFormat;
class DFPage;

/**
 * @brief A PDF being written at a file path: every page added is placed on a page of the set
 * page size (A4 unless told otherwise), scaled to fit and centred, as a form XObject so that its
 * text and vector graphics stay as they are. Nothing is written before endEncode(), which
 * writes beside the path and renames, so a failure never leaves a partial file there.
 *
 * Calls in order: setPageSize(), setQuality(), setCount(), beginEncode(), setIsLast(),
 * needDecodetype(); for each page setIsGet1() and addPage(); then endEncode(). Every failure
 * raises DFException. Use from one thread at a time.
 */
class DFMutableDocument
{
public:
    /**
     * @brief A writable document that will be written at @p path in @p format.
     * @throws DFException (DFInvalidArgumentException) when @p format is null or not PDF, when
     * the folder of @p path does not exist, or when @p path is a folder.
     */
    static std::shared_ptr<DFMutableDocument>
    documentWithFilePath(QString const& path, std::shared_ptr<DFDocFormat> const& format);

    ~DFMutableDocument();
    DFMutableDocument(DFMutableDocument const&) = delete;
    DFMutableDocument& operator=(DFMutableDocument const&) = delete;

    /**
     * @brief The size of every output page, in points (A4 is 595 x 842).
     * @throws DFException (DFInvalidArgumentException) for a side that is not positive.
     */
    void setPageSize(DFSize size);
    /** @brief The size of every output page. */
    DFSize pageSize() const;

    /**
     * @brief The quality level asked for. Pages are placed as vector content, which no level
     * changes; the value is kept for the caller.
     */
    void setQuality(int quality);
    /** @brief The quality level set last (3 by default). */
    int quality() const;

    /** @brief The number of pages the caller announces; pages it then skips are not missed. */
    void setCount(long count);

    /** @brief Starts writing: pages may be added from now on. */
    void beginEncode();

    /** @brief Whether the next page added is the last one (kept; writing happens at endEncode()). */
    void setIsLast(bool isLast);

    /** @brief The decode type that this writer needs from its sources. */
    DFDecodeType needDecodetype() const;

    /** @brief A flag callers always clear; kept for them. */
    void setIsGet1(bool isGet1);

    /**
     * @brief Appends @p page, scaled to fit and centred on a page of the set size.
     * @throws DFException (DFInvalidArgumentException) for a null page;
     * (DFInconsistentStateException) before beginEncode() or after endEncode().
     */
    void addPage(std::shared_ptr<DFPage> const& page);

    /**
     * @brief Writes the PDF at the path and ends writing.
     * @throws DFException (DFInconsistentStateException) when encoding has not begun or no page
     * was added (a PDF without pages is no document); (DFFileWriteException) when the file
     * cannot be written.
     */
    void endEncode();

private:
    explicit DFMutableDocument(QString path);

    class Private;
    std::unique_ptr<Private> d;
};
