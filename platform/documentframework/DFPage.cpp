#include "DFPage.h"

#include "DFPagePrivate.h"

DFPage::DFPage(std::unique_ptr<Private> d) : d(std::move(d)) {}

DFPage::~DFPage() = default;
