#pragma once

#include <string>
#include <vector>

// Target of a conversion; also the index into convertFormatSuffix.
enum ConvertType : int
{
    ToOcrPdf = 0,
    ToDocx = 1,
    ToDoc = 2,
    ToXlsx = 3,
    ToPptx = 4,
    ToEpub = 5,
    ToTxt = 6,
    ToRtf = 7,
    ToHtml = 8,
    ToXml = 9,
    ToPdf = 10,
    ToXod = 11,
    ToXps = 12,
    ToCsv = 13,
    ToJpg = 14,
    ToJpeg = 15,
    ToPng = 16,
    ToBmp = 17,
    ToTiff = 18,
    ToSvg = 19,
    ToPages = 20,
    ToKeynote = 21,
    ToNumbers = 22,
};

inline const std::vector<std::string> convertFormatSuffix = {
    "pdf", "docx", "doc", "xlsx", "pptx", "epub", "txt",  "rtf", "html",  "xml", "pdf",     "xod",
    "xps", "csv",  "jpg", "jpeg", "png",  "bmp",  "tiff", "svg", "pages", "key", "numbers",
};

// What a file-list page does with its files; only ModeConvert and ModeCreate drive pages.
enum FunctionMode : int
{
    ModeConvert = 0,
    ModeEncrypt = 3,
    ModeDecrypt = 4,
    ModeCreate = 5,
    ModeCompress = 6,
};
