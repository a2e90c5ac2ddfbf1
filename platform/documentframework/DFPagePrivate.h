#pragma once

#include "DFPage.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

struct DFPage::Private
{
    std::shared_ptr<QPDF> pdf; // the rendered source, alive as long as a page of it is
    QPDFObjectHandle page;
};
