#pragma once

#include <QMap>
#include <QString>

#include <map>
#include <string>
#include <unordered_map>

// Text-recognition languages, numbered as the conversion SDK numbers them.
enum OCRLanguageId
{
    OcrChineseSimplified = 1,
    OcrChineseTraditional = 2,
    OcrEnglish = 3,
    OcrKorean = 4,
    OcrJapanese = 5,
    OcrSerbian = 9,
    OcrOccitan = 10,
    OcrDanish = 11,
    OcrGerman = 12,
    OcrFrench = 13,
    OcrItalian = 14,
    OcrSpanish = 15,
    OcrPortuguese = 16,
    OcrMaori = 17,
    OcrMalay = 18,
    OcrMaltese = 19,
    OcrDutch = 20,
    OcrNorwegian = 21,
    OcrPolish = 22,
    OcrRomanian = 23,
    OcrSlovak = 24,
    OcrSlovenian = 25,
    OcrAlbanian = 26,
    OcrSwedish = 27,
    OcrSwahili = 28,
    OcrTagalog = 29,
    OcrTurkish = 30,
    OcrUzbek = 31,
    OcrVietnamese = 32,
    OcrAfrikaans = 33,
    OcrAzerbaijani = 34,
    OcrBosnian = 35,
    OcrCzech = 36,
    OcrWelsh = 37,
    OcrEstonian = 38,
    OcrIrish = 39,
    OcrCroatian = 40,
    OcrHungarian = 41,
    OcrIndonesian = 42,
    OcrIcelandic = 43,
    OcrKurdish = 44,
    OcrLithuanian = 45,
    OcrLatvian = 46,
    OcrArabic = 47,
    OcrMarathi = 50,
    OcrNepali = 51,
    OcrBihari = 52,
    OcrMaithili = 53,
    OcrAngika = 54,
    OcrBhojpuri = 55,
    OcrMagahi = 56,
    OcrNagpur = 57,
    OcrNewari = 58,
    OcrKonkani = 59,
};

// The recognition number a conversion stores: the languages past the first five all go as 6.
constexpr int kFirstSharedLanguageId = OcrSerbian;
constexpr int kSharedLanguageNumber = 6;

struct LanguageInfo
{
    std::string name;   // English name, UTF-8
    std::string second; // empty in every row
};

struct OCRLanguageIdHash
{
    std::size_t operator()(OCRLanguageId id) const noexcept { return std::hash<int>()(id); }
};

using LanguageTableType = std::unordered_map<OCRLanguageId, LanguageInfo, OCRLanguageIdHash>;

// The 54 languages; built once at static initialisation and never written again.
extern const LanguageTableType LanguageTable;
// Language name to id, in plain QString order: the order the option dialog lists them in.
extern const QMap<QString, OCRLanguageId> LanguageChoice;
// Language id to the second text of its row; nothing reads it.
extern const std::map<int, std::string> ocrLanguageMap;
