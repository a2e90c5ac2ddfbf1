#pragma once

#include <QColor>

#include <qpdf/QPDFObjectHandle.hh>

#include <memory>
#include <string>

namespace pdfconv {
namespace engine {

struct TintFunction;

// A colour space as a page names it, read far enough to turn the operands of its colour
// operators into the RGB colour they paint.
class ColourSpace
{
public:
    enum class Family
    {
        Gray,
        Rgb,
        Cmyk,
        Lab,
        Indexed,
        Tint, // a separation or a set of colorants
        Pattern,
        Unknown
    };

    // @p space is a name or an array; names other than the device spaces' are looked up in
    // the /ColorSpace entry of @p resources. Never null: what cannot be read is Unknown.
    static std::shared_ptr<ColourSpace const> resolve(QPDFObjectHandle space, QPDFObjectHandle resources);
    static std::shared_ptr<ColourSpace const> device(Family family); // Gray, Rgb or Cmyk

    Family family() const { return m_family; }
    // How many numbers a colour takes; a pattern's takes its base space's, 0 without one.
    int components() const { return m_components; }
    // The colour it starts with when chosen.
    QColor initial() const;
    // The colour of @p count numbers; for a pattern, @p pattern names it in @p resources.
    QColor colour(double const* values, int count, std::string const& pattern = {},
                  QPDFObjectHandle resources = {}) const;

    ColourSpace(Family family, int components);
    ~ColourSpace();

private:
    static std::shared_ptr<ColourSpace const> read(QPDFObjectHandle space, QPDFObjectHandle resources,
                                                   int depth);
    QColor exact(double const* values) const; // as many values as components()
    QColor middle() const;
    void range(int component, double& low, double& high) const;

    Family m_family;
    int m_components;
    std::shared_ptr<ColourSpace const> m_base; // Indexed, Tint (the alternate), Pattern
    // Indexed
    QByteArray m_lookup;
    int m_highest = 0;
    // Lab
    double m_white[3] = {0.9505, 1.0, 1.089};
    double m_range[4] = {-100, 100, -100, 100};
    // Tint
    std::shared_ptr<TintFunction const> m_tint;
    int m_process[4] = {-1, -1, -1, -1}; // colorants that are the process inks C, M, Y, K
    bool m_processOnly = false;
    bool m_none = false; // paints nothing
};

} // namespace engine
} // namespace pdfconv
