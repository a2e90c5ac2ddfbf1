// RTF documents dropped in to become PDFs, read into a text document.
#include "RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <memory>

using docrender::RtfReader;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Pictures and fonts need a GUI application; no display is there or needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    if (size > (1u << 22))
        return 0;
    QTextDocument document;
    RtfReader reader(&document);
    QString error;
    (void)reader.read(QByteArray(reinterpret_cast<char const*>(data), int(size)), &error);
    return 0;
}
