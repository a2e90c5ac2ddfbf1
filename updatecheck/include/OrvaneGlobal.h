#pragma once

#include <QtGlobal>

// Marks the library's public operations; everything else is built with hidden visibility.
#if defined(ORVANE_BUILD_LIBRARY)
#define ORVANE_EXPORT Q_DECL_EXPORT
#else
#define ORVANE_EXPORT Q_DECL_IMPORT
#endif
