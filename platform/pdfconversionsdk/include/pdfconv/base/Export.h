#pragma once

/// Marks the library's public classes; everything else stays inside the library.
#if defined(PDFCONV_BUILDING_LIBRARY)
#define PDFCONV_EXPORT __attribute__((visibility("default")))
#else
#define PDFCONV_EXPORT
#endif
