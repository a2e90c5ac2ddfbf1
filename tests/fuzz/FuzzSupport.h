#pragma once

#include <qpdf/QPDF.hh>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// A PDF read from the fuzzer's bytes as the conversions read one: damaged files repaired where
// qpdf can, warnings kept quiet. Null when qpdf gives up on it.
std::unique_ptr<QPDF> openFuzzedPdf(uint8_t const* data, size_t size, char const* password = "");
// Its objects, at most @p limit of them: a file of millions of tiny objects is not the point.
std::vector<QPDFObjectHandle> fuzzedObjects(QPDF& pdf, size_t limit = 2000);
