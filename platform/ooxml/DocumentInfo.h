#pragma once

#include <QString>

namespace ooxml {

/// Properties stored in a package's docProps/core.xml; both may stay empty.
/// The creation and modification times are set to the time of writing.
struct DocumentInfo
{
    QString title;
    QString author;
};

} // namespace ooxml
