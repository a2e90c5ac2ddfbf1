#pragma once

/**
 * @file DFTypes.h
 * @brief Plain value types shared by the classes of the document framework layer.
 */

/** @brief A width and height in PDF points (1/72 inch). */
struct DFSize
{
    double width = 0;  ///< horizontal extent in points
    double height = 0; ///< vertical extent in points
};

/**
 * @brief How a source document hands out its pages. The PDF writer asks for pages as PDF page
 * descriptions, which keeps text and vector graphics as they are.
 */
enum class DFDecodeType
{
    DFDecodeTypePDFPage = 1 ///< pages as PDF page objects (vector content)
};
