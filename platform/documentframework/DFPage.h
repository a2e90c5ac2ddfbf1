#pragma once

/**
 * @file DFPage.h
 * @brief One page handed out by a decoding DFDocument.
 */

#include <memory>

/**
 * @brief A page of a source document, as DFDocument::pageAtIndex() hands it out and
 * DFMutableDocument::addPage() takes it. It keeps what it needs of its document alive, so it
 * stays usable after the document has ended decoding.
 */
class DFPage
{
public:
    ~DFPage();
    DFPage(DFPage const&) = delete;
    DFPage& operator=(DFPage const&) = delete;

    /** @internal */
    struct Private;
    /** @internal */
    explicit DFPage(std::unique_ptr<Private> d);
    /** @internal */
    Private const& data() const { return *d; }

private:
    std::unique_ptr<Private> d;
};
