#pragma once

#include "ocr/OcrStatus.h"
#include "ocr/PdfRecognizer.h"
#include "ocr/RecognizedPage.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace docquill::ocr {

/// Writes a searchable PDF: every page of the input kept as it is (its content streams are not
/// touched), with an invisible, selectable text layer (text render mode 3, a glyph-less Type0
/// font with a ToUnicode map, so any Unicode text reads back) added on top of the pages whose
/// outcome is Recognized. Encryption of the input is kept.
class SearchablePdfWriter
{
public:
    /// pages holds one outcome per page of the input. The output is written to a temporary
    /// file in its folder and renamed on success; on failure no output file is left.
    static Status write(QString const& input, QByteArray const& password, QString const& output,
                        QVector<PageOutcome> const& pages, QString* error = nullptr);

    /// Recognises the pages of the input that have no text (PdfRecognizer) and writes the
    /// searchable PDF: the whole conversion in one call.
    static Status convert(QString const& input, QByteArray const& password, QString const& output,
                          OcrModel const& model, QString const& languageSpec,
                          RecognitionOptions const& options = RecognitionOptions(), QString* error = nullptr);
};

} // namespace docquill::ocr
