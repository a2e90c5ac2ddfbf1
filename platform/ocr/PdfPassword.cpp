#include "ocr/PdfPassword.h"

#include <qpdf/QUtil.hh>

#include <algorithm>

namespace docquill::ocr {

std::vector<std::string> PdfPassword::forms(QByteArray const& password)
{
    std::string const given = password.toStdString();
    if (given.empty())
        return {given};
    std::vector<std::string> out;
    for (std::string const& form : QUtil::possible_repaired_encodings(given))
        if (std::find(out.begin(), out.end(), form) == out.end())
            out.push_back(form);
    if (out.empty() || out.front() != given)
        out.insert(out.begin(), given);
    return out;
}

} // namespace docquill::ocr
