// One PDF to Word through the conversion library, with the options the application's Word
// converter sets; prints the seconds the library took. word_speed.py times it as a whole
// process against pdftotext.
//
//   bench_word_convert flowing|layout <input.pdf> <output.docx>

#include <pdfconv/common/LibraryManager.h>
#include <pdfconv/conversion/PdfConversion.h>

#include <QElapsedTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 4 || (std::strcmp(argv[1], "flowing") != 0 && std::strcmp(argv[1], "layout") != 0)) {
        std::fprintf(stderr, "usage: %s flowing|layout <input.pdf> <output.docx>\n", argv[0]);
        return 2;
    }
    pdfconv::common::LibraryManager::SetLogger(false, false);
    pdfconv::base::ConvertOptions options;
    options.useDocumentAI = true;
    options.keepLayout = true;
    options.wordLayout = std::strcmp(argv[1], "flowing") == 0 ? 1 : 0;
    QElapsedTimer t;
    t.start();
    int const code =
        pdfconv::conversion::PdfConversion::StartPDFToWord(argv[2], "", argv[3], options, nullptr);
    std::printf("%.6f\n", t.nsecsElapsed() / 1e9);
    return code;
}
