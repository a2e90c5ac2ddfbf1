#include "FuzzSupport.h"

#include <qpdf/QPDFLogger.hh>

#include <exception>

std::unique_ptr<QPDF> openFuzzedPdf(uint8_t const* data, size_t size, char const* password)
{
    static bool const quiet = [] {
        auto const logger = QPDFLogger::defaultLogger();
        logger->setWarn(logger->discard());
        logger->setInfo(logger->discard());
        logger->setError(logger->discard());
        return true;
    }();
    (void)quiet;
    auto pdf = std::make_unique<QPDF>();
    pdf->setSuppressWarnings(true);
    try {
        pdf->processMemoryFile("fuzzed", reinterpret_cast<char const*>(data), size, password);
    } catch (std::exception const&) {
        return nullptr;
    }
    return pdf;
}

std::vector<QPDFObjectHandle> fuzzedObjects(QPDF& pdf, size_t limit)
{
    std::vector<QPDFObjectHandle> out;
    try {
        for (QPDFObjectHandle const& object : pdf.getAllObjects()) {
            if (out.size() >= limit)
                break;
            out.push_back(object);
        }
    } catch (std::exception const&) {
    }
    return out;
}
