#pragma once

/**
 * @file DFDocument.h
 * @brief A source document that the layer loads and hands out page by page.
 */

#include "DFTypes.h"

#include <QString>

#include <memory>

class DFDocumentLoadDelegate;
class DFPage;

/**
 * @brief A source document (text, HTML, RTF, EPUB, CHM, Office, iWork, image or PDF) loaded in
 * the background and then read page by page.
 *
 * Typical use: documentWithPath(), setLoadDelegate(), loadDocument(), wait for the delegate's
 * end call, then pageCount(), setDecodeType(), beginDecode(), pageAtIndex() for each page and
 * endDeocde(). Loading lays the document out into PDF pages with the same renderers as the
 * "PdfCreator" helper; it needs a QGuiApplication (fonts) for text-based kinds.
 *
 * Every failure raises DFException. Destroying a document whose loading still runs stops
 * LibreOffice if it is running and waits for the loading thread to end.
 */
class DFDocument
{
public:
    /**
     * @brief A bound for waiting on the end of loading: LibreOffice gets 30 s to start and is
     * killed 180 s after, and the other renderers take seconds for documents of normal size.
     */
    static constexpr int kLoadTimeLimitSeconds = 240;

    /**
     * @brief A document for the file at @p path; nothing is read yet.
     * @throws DFException (DFInvalidArgumentException) when @p path names no readable file.
     */
    static std::shared_ptr<DFDocument> documentWithPath(QString const& path);

    ~DFDocument();
    DFDocument(DFDocument const&) = delete;
    DFDocument& operator=(DFDocument const&) = delete;

    /**
     * @brief Sets the object told about the start and the end of loading; may be null.
     * The delegate is not owned: it must outlive the loading or be cleared before it goes.
     */
    void setLoadDelegate(DFDocumentLoadDelegate* delegate);
    /** @brief The delegate set last, or null. */
    DFDocumentLoadDelegate* loadDelegate() const;

    /**
     * @brief Starts loading on a thread of its own and returns at once. The delegate hears
     * DFDocumentLoadDelegate_loadStart and, when loading ended well or badly,
     * DFDocumentLoadDelegate_loadEnd, both from that thread.
     * @throws DFException (DFInconsistentStateException) when loading was started before.
     */
    void loadDocument();

    /**
     * @brief The number of pages of the loaded document (at least 1).
     * @throws DFException (DFDocumentLoadException) when loading failed, with the cause as the
     * reason; (DFInconsistentStateException) when loading has not ended yet.
     */
    long pageCount() const;

    /** @brief How pages are to be decoded; see DFMutableDocument::needDecodetype(). */
    void setDecodeType(DFDecodeType type);

    /**
     * @brief Opens the loaded pages for pageAtIndex().
     * @throws DFException as pageCount() does, or (DFDocumentLoadException) when the loaded
     * pages cannot be opened.
     */
    void beginDecode();

    /**
     * @brief The page at the 0-based @p index, or null when there is no such page.
     * @throws DFException (DFInconsistentStateException) outside beginDecode() ... endDeocde().
     */
    std::shared_ptr<DFPage> pageAtIndex(long index);

    /** @brief Ends decoding; pages already handed out stay usable. */
    void endDeocde();

private:
    explicit DFDocument(QString path);
    void load();

    class Private;
    std::unique_ptr<Private> d;
};
