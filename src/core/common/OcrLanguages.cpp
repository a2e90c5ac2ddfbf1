#include "common/OcrLanguages.h"

namespace {

LanguageTableType buildLanguageTable()
{
    return {
        {OcrChineseSimplified, {"Chinese (Simplified)", ""}},
        {OcrChineseTraditional, {"Chinese (Traditional)", ""}},
        {OcrEnglish, {"English", ""}},
        {OcrKorean, {"Korean", ""}},
        {OcrJapanese, {"Japanese", ""}},
        {OcrSerbian, {"Serbian", ""}},
        {OcrOccitan, {"Occitan", ""}},
        {OcrDanish, {"Danish", ""}},
        {OcrGerman, {"German", ""}},
        {OcrFrench, {"French", ""}},
        {OcrItalian, {"Italian", ""}},
        {OcrSpanish, {"Spanish", ""}},
        {OcrPortuguese, {"Portuguese", ""}},
        {OcrMaori, {"Maori", ""}},
        {OcrMalay, {"Malay", ""}},
        {OcrMaltese, {"Maltese", ""}},
        {OcrDutch, {"Dutch", ""}},
        {OcrNorwegian, {"Norwegian", ""}},
        {OcrPolish, {"Polish", ""}},
        {OcrRomanian, {"Romanian", ""}},
        {OcrSlovak, {"Slovak", ""}},
        {OcrSlovenian, {"Slovenian", ""}},
        {OcrAlbanian, {"Albanian", ""}},
        {OcrSwedish, {"Swedish", ""}},
        {OcrSwahili, {"Swahili", ""}},
        {OcrTagalog, {"Tagalog", ""}},
        {OcrTurkish, {"Turkish", ""}},
        {OcrUzbek, {"Uzbek", ""}},
        {OcrVietnamese, {"Vietnamese", ""}},
        {OcrAfrikaans, {"Afrikaans", ""}},
        {OcrAzerbaijani, {"Azerbaijani", ""}},
        {OcrBosnian, {"Bosnian", ""}},
        {OcrCzech, {"Czech", ""}},
        {OcrWelsh, {"Welsh", ""}},
        {OcrEstonian, {"Estonian", ""}},
        {OcrIrish, {"Irish", ""}},
        {OcrCroatian, {"Croatian", ""}},
        {OcrHungarian, {"Hungarian", ""}},
        {OcrIndonesian, {"Indonesian", ""}},
        {OcrIcelandic, {"Icelandic", ""}},
        {OcrKurdish, {"Kurdish", ""}},
        {OcrLithuanian, {"Lithuanian", ""}},
        {OcrLatvian, {"Latvian", ""}},
        {OcrArabic, {"Arabic", ""}},
        {OcrMarathi, {"Marathi", ""}},
        {OcrNepali, {"Nepali", ""}},
        {OcrBihari, {"Bihari", ""}},
        {OcrMaithili, {"Maithili", ""}},
        {OcrAngika, {"Angika", ""}},
        {OcrBhojpuri, {"Bhojpuri", ""}},
        {OcrMagahi, {"Magahi", ""}},
        {OcrNagpur, {"Nagpur", ""}},
        {OcrNewari, {"Newari", ""}},
        {OcrKonkani, {"Konkani", ""}},
    };
}

QMap<QString, OCRLanguageId> buildLanguageChoice()
{
    QMap<QString, OCRLanguageId> choice;
    for (auto const& row : LanguageTable)
        choice.insert(QString::fromStdString(row.second.name), row.first);
    return choice;
}

std::map<int, std::string> buildOcrLanguageMap()
{
    std::map<int, std::string> map;
    for (auto const& row : LanguageTable)
        map.emplace(row.first, row.second.second); // emplace keeps an id's first value
    return map;
}

} // namespace

// Defined in one unit, in this order, so the derived tables see a complete LanguageTable.
const LanguageTableType LanguageTable = buildLanguageTable();
const QMap<QString, OCRLanguageId> LanguageChoice = buildLanguageChoice();
const std::map<int, std::string> ocrLanguageMap = buildOcrLanguageMap();
