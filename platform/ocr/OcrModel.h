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
    SdkLatinScripts = 6 ///< every Latin-script language of the model together
};

/// A model folder: tesseract language data, one "<code>.traineddata" file per language.
/// A plain value, cheap to copy and safe to hand to other threads.
class OcrModel
{
public:
    /// Reads the folder. True when it holds usable data: every language file is checked for a
    /// sound structure and one language (English when present) must start an engine.
    bool load(QString const& folder);

    bool isLoaded() const { return m_loaded; }
    QString folder() const { return m_folder; }
    /// Codes of the languages found, sorted ("chi_sim", "eng", ...); orientation data is left out.
    QStringList languages() const { return m_languages; }
    bool hasLanguage(QString const& code) const { return m_languages.contains(code); }
    /// Why the last load failed.
    QString errorString() const { return m_error; }

    /// The tesseract language string for an SDK language number ("eng", "eng+fra+deu"),
    /// empty when the number is unknown or the model lacks the language.
    QString languageSpec(int sdkLanguage) const;
    /// True when every code of a tesseract language string ("eng+fra") is in the model.
    bool supports(QString const& languageSpec) const;

    /// The Latin-script languages that number 6 combines, in the order they are tried.
    static QStringList latinLanguages();
    /// True when a file has the structure of tesseract language data (header and offset table).
    static bool isLanguageData(QString const& path);

private:
    QString m_folder;
    QStringList m_languages;
    QString m_error;
    bool m_loaded = false;
};

} // namespace docquill::ocr
