#pragma once

// Sends qpdf's own info, warning and error output into the Qt log instead of the
// standard streams. Safe to call more than once.
namespace QpdfLogBridge {
void install();
}
