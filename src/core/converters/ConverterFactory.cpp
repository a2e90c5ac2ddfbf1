#include "converters/ConverterFactory.h"

#include "converters/PDF2Csv.h"
#include "converters/PDF2Excel.h"
#include "converters/PDF2Html.h"
#include "converters/PDF2Image.h"
#include "converters/PDF2Keynote.h"
#include "converters/PDF2Numbers.h"
#include "converters/PDF2PPT.h"
#include "converters/PDF2Pages.h"
#include "converters/PDF2Rtf.h"
#include "converters/PDF2Searchable.h"
#include "converters/PDF2Txt.h"
#include "converters/PDF2Word.h"

PDFConverter* ConverterFactory::converterCrete(ConvertType const& type)
{
    switch (type) {
    case ToOcrPdf:
        return new PDF2Searchable();
    case ToDocx:
        return new PDF2Word();
    case ToXlsx:
        return new PDF2Excel();
    case ToPptx:
        return new PDF2PPT();
    case ToTxt:
        return new PDF2Txt();
    case ToRtf:
        return new PDF2Rtf();
    case ToHtml:
        return new PDF2Html();
    case ToCsv:
        return new PDF2Csv();
    case ToJpg:
    case ToJpeg:
    case ToPng:
    case ToBmp:
    case ToTiff:
        return new PDF2Image();
    case ToPages:
        return new PDF2Pages();
    case ToKeynote:
        return new PDF2Keynote();
    case ToNumbers:
        return new PDF2Numbers();
    default:
        return nullptr;
    }
}
