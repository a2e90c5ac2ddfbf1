#include "ooxml/DocxWriter.h"

#include "internal/OutputFile.h"
#include "ooxml/DocxStreamWriter.h"

namespace ooxml {

WriteResult DocxWriter::write(WordDocument const& document, QString const& path, ExistingFile existing)
{
    return internal::guarded([&] {
        DocxStreamWriter writer(path, existing);
        writer.setInfo(document.info);
        for (WordSection const& section : document.sections) {
            writer.beginSection(section.page);
            for (WordBlock const& block : section.blocks)
                writer.add(block);
        }
        return writer.finish();
    });
}

} // namespace ooxml
