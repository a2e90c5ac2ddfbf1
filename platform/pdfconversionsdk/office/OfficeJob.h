#pragma once

#include "engine/Job.h"

namespace poppler {
class document;
}

namespace pdfconv {
namespace engine {
class JobSink;
}
namespace office {

// Word, Excel, CSV and PowerPoint outputs: reads every page (words, tables, drawings) on
// several threads, recognises the pages without text when asked, renders the pictures the
// output needs and writes the document into the job's staging path.
int runOfficeJob(engine::Job const& job, poppler::document const& doc, int pageCount, engine::JobSink& sink);

} // namespace office
} // namespace pdfconv
