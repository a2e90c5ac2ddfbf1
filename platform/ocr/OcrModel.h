#pragma once

#include <QString>
#include <QStringList>

namespace docquill::ocr {

/// Language numbers of the conversion SDK's text-recognition option.
enum SdkLanguage : int
{
    SdkChineseSimplified = 1,
    SdkChineseTraditional = 2,
    SdkEnglish = 3,
    SdkKorean = 4,
    SdkJapanese = 5,
    SdkLatinScripts = 6, ///< every other language: each page read with the data of its script
    /// 9 to 59: one of the languages 6 stands for, named (the option dialog's numbering); read
    /// like 6, with that language's data where its script is met.
    SdkSerbian = 9,
    SdkVietnamese = 32,
    SdkKurdish = 44,
    SdkArabic = 47,
    SdkFirstDevanagari = 50,
    SdkLastNamed = 59
};

/// A model folder: tesseract language data, one "<code>.traineddata" file per language.
/// A plain value, cheap to copy and safe to hand to other threads.
class OcrModel
{
public:
    /// Reads the folder. True when it holds usable data: every language file is checked for a
    /// sound structure and, with probe, loaded once in a child process (data that does not load
    /// would abort the process that loads it); without probe the structure alone counts.
    bool load(QString const& folder, bool probe = true);

    bool isLoaded() const { return m_loaded; }
    QString folder() const { return m_folder; }
    /// Codes of the languages found, sorted ("chi_sim", "eng", ...); orientation data is left out.
    QStringList languages() const { return m_languages; }
    bool hasLanguage(QString const& code) const { return m_languages.contains(code); }
    /// Why the last load failed.
    QString errorString() const { return m_error; }

    /// The tesseract language string for an SDK language number ("eng", "Latin+Vietnamese"),
    /// empty when the number is unknown or the model lacks the language. For 6 it is the data
    /// of Latin script, which pages whose script cannot be told are read with.
    QString languageSpec(int sdkLanguage) const;
    /// True when the model can tell a page's script (orientation-and-script data).
    bool canDetectScripts() const { return m_scriptDetection; }
    /// The language data for a script that detection names ("Cyrillic", "Han"), empty when the
    /// model has none for it. language is the SDK number the user chose (6, or 9 to 59 for a
    /// named one): Arabic script is read with the Arabic language's data, except for Kurdish.
    QString scriptSpec(QString const& script, int language = SdkLatinScripts) const;
    /// The scripts of the languages number 6 stands for that the model has data for, Latin
    /// first: what a page whose script detection cannot tell may be written in.
    QStringList readableScripts() const;
    /// True for the numbers of the languages 6 stands for (9 to 47, 50 to 59).
    static bool isNamedLanguage(int sdkLanguage);
    /// The script a language of number 6 (9 to 59) is mostly written in; empty for others and
    /// for those written in two (Kurdish).
    static QString scriptOfLanguage(int sdkLanguage);
    /// True when every code of a tesseract language string ("eng+fra") is in the model.
    bool supports(QString const& languageSpec) const;

    /// The Latin-script languages that number 6 combines in a model without Latin script data.
    static QStringList latinLanguages();
    /// The code of the orientation-and-script data, which recognises nothing itself.
    static constexpr char const* kScriptDetectionData = "osd";
    /// True when a file has the structure of tesseract language data (header and offset table).
    static bool isLanguageData(QString const& path);

private:
    QString m_folder;
    QStringList m_languages;
    QString m_error;
    bool m_loaded = false;
    bool m_scriptDetection = false;
};

} // namespace docquill::ocr
