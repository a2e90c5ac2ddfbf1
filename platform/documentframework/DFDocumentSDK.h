#pragma once

/**
 * @file DFDocumentSDK.h
 * @brief The whole document framework layer: makes PDF files from documents.
 */

#include "DFDocFormat.h"
#include "DFDocument.h"
#include "DFDocumentLoadDelegate.h"
#include "DFException.h"
#include "DFMutableDocument.h"
#include "DFPage.h"
#include "DFTypes.h"
