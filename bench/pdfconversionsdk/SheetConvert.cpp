// One PDF to Excel or CSV through the conversion library, with the options the application's
// Excel and CSV converters set; prints the seconds the library took. sheet_fidelity.py runs it,
// also against another build's library (LD_LIBRARY_PATH).
//
//   bench_sheet_convert xlsx-all|xlsx-tables|csv <input.pdf> <output>

#include <pdfconv/common/LibraryManager.h>
#include <pdfconv/conversion/PdfConversion.h>

#include <QByteArray>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s xlsx-all|xlsx-tables|csv <input.pdf> <output>\n", argv[0]);
        return 2;
    }
    pdfconv::common::LibraryManager::SetLogger(false, false);
    pdfconv::base::ConvertOptions options;
    options.useDocumentAI = true;
    options.excelSheetPerTable = true;
    options.excelAllContent = std::strcmp(argv[1], "xlsx-all") == 0;
    options.csvOutput = std::strcmp(argv[1], "csv") == 0;
    QElapsedTimer t;
    t.start();
    int const code =
        pdfconv::conversion::PdfConversion::StartPDFToExcel(argv[2], "", argv[3], options, nullptr);
    std::printf("%.6f\n", t.nsecsElapsed() / 1e9);
    return code;
}
