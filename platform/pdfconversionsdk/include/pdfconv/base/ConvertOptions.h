#pragma once

#include <cstddef>
#include <cstdint>

namespace pdfconv {
namespace base {

/// Format of page images written by PdfConversion::StartPDFToImage.
enum ImageType : std::int32_t
{
    ImageTypeJpg = 0,  ///< JPEG, ".jpg"
    ImageTypeJpeg = 1, ///< JPEG, ".jpeg"
    ImageTypePng = 2,  ///< PNG, ".png"
    ImageTypeBmp = 3,  ///< BMP, ".bmp"
    ImageTypeTiff = 4, ///< TIFF, ".tiff"
};

/// Text-recognition language. 1 to 5 name one language each, 6 stands for the other
/// languages together (each page read with the data of its script), 8 asks the document AI
/// model to decide. 9 to 47 and 50 to 59 name one of the languages 6 stands for (9 Serbian,
/// 44 Kurdish, 47 Arabic, 50 to 59 the Devanagari languages, the others in Latin script):
/// read like 6, with that language's data where its script is met.
enum OCRLanguage : std::int32_t
{
    OCRLanguageChineseSimplified = 1,
    OCRLanguageChineseTraditional = 2,
    OCRLanguageEnglish = 3,
    OCRLanguageKorean = 4,
    OCRLanguageJapanese = 5,
    OCRLanguageLatin = 6,
    OCRLanguageAuto = 8,
    OCRLanguageSerbian = 9,
    OCRLanguageKurdish = 44,
    OCRLanguageArabic = 47,
};

/// Options of one conversion, filled by the caller. The record is 56 bytes with fixed field
/// offsets so that callers built against any version of this header agree on it.
struct ConvertOptions
{
    bool useDocumentAI = false;            ///< offset 0: use the document AI model where it helps
    bool reserved1 = true;                 ///< offset 1: always 1
    bool reserved2 = true;                 ///< offset 2: always 1
    bool reserved3 = true;                 ///< offset 3: always 1
    bool excelAllContent = false;          ///< offset 4: spreadsheets: all content, not only tables
    bool excelSheetPerTable = true;        ///< offset 5: spreadsheets: one sheet per table
    bool csvOutput = false;                ///< offset 6: spreadsheets: write CSV files into a folder
    bool ocrEnabled = false;               ///< offset 7: recognise text on pages without a text layer
    bool keepLayout = true;                ///< offset 8: 1 for laid-out formats, 0 for plain text
    bool reserved9 = false;                ///< offset 9: 0
    float imageScale = 1.0f;               ///< offset 12: page images: factor on the base resolution
    std::int32_t wordLayout = 1;           ///< offset 16: Word: 1 flowing text, 0 page layout
    std::int32_t reserved20 = 0;           ///< offset 20: 0
    std::int32_t imageType = ImageTypeJpg; ///< offset 24: an ImageType
    /// offset 32 (bytes 28-31 are padding): a NUL-terminated text field, left empty by
    /// every caller.
    alignas(8) char text[24] = {};
};

static_assert(sizeof(bool) == 1, "ConvertOptions needs one-byte bools");
static_assert(sizeof(ConvertOptions) == 56, "ConvertOptions is 56 bytes");
static_assert(offsetof(ConvertOptions, useDocumentAI) == 0, "offset 0");
static_assert(offsetof(ConvertOptions, reserved1) == 1, "offset 1");
static_assert(offsetof(ConvertOptions, reserved2) == 2, "offset 2");
static_assert(offsetof(ConvertOptions, reserved3) == 3, "offset 3");
static_assert(offsetof(ConvertOptions, excelAllContent) == 4, "offset 4");
static_assert(offsetof(ConvertOptions, excelSheetPerTable) == 5, "offset 5");
static_assert(offsetof(ConvertOptions, csvOutput) == 6, "offset 6");
static_assert(offsetof(ConvertOptions, ocrEnabled) == 7, "offset 7");
static_assert(offsetof(ConvertOptions, keepLayout) == 8, "offset 8");
static_assert(offsetof(ConvertOptions, reserved9) == 9, "offset 9");
static_assert(offsetof(ConvertOptions, imageScale) == 12, "offset 12");
static_assert(offsetof(ConvertOptions, wordLayout) == 16, "offset 16");
static_assert(offsetof(ConvertOptions, reserved20) == 20, "offset 20");
static_assert(offsetof(ConvertOptions, imageType) == 24, "offset 24");
static_assert(offsetof(ConvertOptions, text) == 32, "offset 32");

} // namespace base
} // namespace pdfconv
