#pragma once

/**
 * @file DFDocumentLoadDelegate.h
 * @brief The protocol through which a DFDocument reports its loading.
 */

class DFDocument;

/**
 * @brief Receives the start and the end of a DFDocument's loading.
 *
 * Both calls come from the document's loading thread, never from the thread that called
 * DFDocument::loadDocument(); an implementation must be thread-safe accordingly. The end is
 * reported whether loading succeeded or failed; DFDocument::pageCount() tells which.
 */
class DFDocumentLoadDelegate
{
public:
    virtual ~DFDocumentLoadDelegate() = default;

    /** @brief Loading of @p document has begun. */
    virtual void DFDocumentLoadDelegate_loadStart(DFDocument* document) = 0;
    /** @brief Loading of @p document has ended; its pages can be counted and decoded now. */
    virtual void DFDocumentLoadDelegate_loadEnd(DFDocument* document) = 0;
};
