// Passwords as a user types them, in every form they are tried in, on files locked with RC4,
// AES-128 and AES-256 whose passwords hold letters beyond ASCII.
#include "FuzzSupport.h"

#include "ocr/PdfPassword.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdlib>
#include <exception>
#include <string>

namespace {

std::vector<std::string> lockedFiles;

std::string locked(int kind)
{
    QPDF pdf;
    pdf.emptyPDF();
    QPDFWriter writer(pdf);
    writer.setOutputMemory();
    writer.setStaticID(true);
    char const* user = "p\xc3\xa4ss";
    if (kind == 0)
        writer.setR3EncryptionParametersInsecure(user, "o", true, true, true, true, true, true, qpdf_r3p_full);
    else if (kind == 1)
        writer.setR4EncryptionParametersInsecure(user, "o", true, true, true, true, true, true, qpdf_r3p_full,
                                                 true, true);
    else
        writer.setR6EncryptionParameters(user, "o", true, true, true, true, true, true, qpdf_r3p_full, true);
    writer.write();
    auto const buffer = writer.getBufferSharedPointer();
    return std::string(reinterpret_cast<char const*>(buffer->getBuffer()), buffer->getSize());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    for (int kind = 0; kind < 3; ++kind)
        lockedFiles.push_back(locked(kind));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    if (size > 1024)
        return 0;
    QByteArray const typed(reinterpret_cast<char const*>(data), int(size));
    std::vector<std::string> const forms = docquill::ocr::PdfPassword::forms(typed);
    // The password as typed comes first, and every form is tried once.
    if (forms.empty() || forms.front() != typed.toStdString())
        std::abort();
    for (size_t i = 0; i < forms.size(); ++i)
        for (size_t j = i + 1; j < forms.size(); ++j)
            if (forms[i] == forms[j])
                std::abort();
    // One file a run, chosen by the password's length, with each of its forms.
    std::string const& file = lockedFiles[size % lockedFiles.size()];
    for (std::string const& form : forms)
        (void)openFuzzedPdf(reinterpret_cast<uint8_t const*>(file.data()), file.size(), form.c_str());
    return 0;
}
