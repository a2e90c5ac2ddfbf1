#pragma once

/**
 * @file DocRender.h
 * @brief Turns a source document or image into a PDF file.
 *
 * One entry point, renderToPdf(), serves the "PdfCreator" helper and the document framework
 * layer alike. The kind of source is chosen by the file's suffix. The output is written to a
 * temporary file beside the target, checked with qpdf and only then renamed into place, so a
 * failure never leaves a partial file at the target path.
 *
 * Text-based kinds (txt, html, rtf without LibreOffice, epub, chm) lay out with Qt's text document
 * and need a QGuiApplication (fonts); they may run on any thread.
 */

#include <QString>

#include <atomic>

namespace docrender {

/** @brief The kinds of source that renderToPdf() knows, by suffix. */
enum class SourceKind
{
    Unknown, ///< no renderer for this suffix
    Pdf,     ///< pdf: copied after a check
    Image,   ///< png, jpg, jpeg, bmp, gif, tif, tiff
    Text,    ///< txt
    Html,    ///< htm, html, xhtml
    Rtf,     ///< rtf: LibreOffice when installed, otherwise the built-in reader
    Epub,    ///< epub
    Chm,     ///< chm
    Office   ///< doc, docx, ppt, pptx, xls, xlsx, pages, key, numbers: LibreOffice
};

/** @brief Why a rendering failed. Callers map these to their own codes. */
enum class RenderError
{
    None,              ///< the PDF was written
    SourceNotFound,    ///< the source path names no file
    OutputDirNotFound, ///< the folder of the output path does not exist
    CannotOpen,        ///< the source is unreadable, damaged or holds nothing to render
    Unsupported,       ///< no renderer for the source's suffix
    NoProgram,         ///< the program that reads this kind (LibreOffice) is not installed
    PasswordProtected, ///< the source is locked by a password or encrypted
    TimedOut,          ///< the external converter passed its time limit and was killed
    DiskFull,          ///< the output's disk (or the user's quota on it) is full
    Failure            ///< anything else: cannot write the output, out of memory, ...
};

/** @brief The outcome of renderToPdf(). */
struct RenderResult
{
    RenderError error = RenderError::Failure; ///< RenderError::None on success
    QString message;                          ///< the cause in English, empty on success
    int pageCount = 0;                        ///< pages of the written PDF, 0 on failure

    /** @brief True when the PDF was written. */
    bool ok() const { return error == RenderError::None; }
};

/** @brief Settings of one rendering; the defaults suit normal use. */
struct RenderOptions
{
    /** @brief Time limit of one LibreOffice conversion; the process group is killed after it. */
    int officeTimeoutMs = 180000;
    /**
     * @brief LibreOffice program to run. Empty: "soffice" (or "libreoffice") found through the
     * executable search path. A path that does not exist counts as "not installed".
     */
    QString officeProgram;
    /**
     * @brief When it becomes true, a running external conversion is killed and the rendering
     * fails with RenderError::Failure. May be null. Must outlive the call.
     */
    std::atomic_bool const* cancel = nullptr;
};

/** @brief The source kind for @p path, from its suffix (case ignored). */
SourceKind sourceKind(QString const& path);

/**
 * @brief Renders @p source into the PDF file @p output.
 *
 * Images give one page per image (per frame of a multi-page TIFF) of the image's size at its
 * resolution (72 dpi when it declares none); JPEG data is embedded as it is. Text documents are
 * laid out on A4 pages. Office and iWork documents go through LibreOffice in headless mode with
 * a private profile folder per run. A file already at @p output is replaced only on success.
 */
RenderResult renderToPdf(QString const& source, QString const& output,
                         RenderOptions const& options = RenderOptions());

/**
 * @brief Copies the file @p from to @p to, every write checked; a full disk gives
 * RenderError::DiskFull. What was copied of a failed copy stays for the caller to remove.
 */
RenderResult copyFile(QString const& from, QString const& to);

/** @brief The Debian package that brings LibreOffice's reader for @p path's suffix. */
QString officePackageFor(QString const& path);

} // namespace docrender
