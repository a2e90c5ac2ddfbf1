#include "ColourSpace.h"

#include <qpdf/Buffer.hh>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pdfconv {
namespace engine {

namespace {

constexpr int kMaxDepth = 8;
constexpr size_t kMaxSamples = 1 << 20;

double unit(double x)
{
    return std::isfinite(x) ? std::clamp(x, 0.0, 1.0) : 0.0;
}

double number(QPDFObjectHandle object, double otherwise)
{
    return object.isNumber() ? object.getNumericValue() : otherwise;
}

std::vector<double> numbers(QPDFObjectHandle array)
{
    std::vector<double> out;
    if (!array.isArray())
        return out;
    int const n = std::min(array.getArrayNItems(), 64);
    for (int i = 0; i < n; ++i)
        out.push_back(number(array.getArrayItem(i), 0));
    return out;
}

// Between two bounds given in either order: a damaged file may turn them round.
double within(double x, double a, double b)
{
    return std::min(std::max(x, std::min(a, b)), std::max(a, b));
}

double interpolate(double x, double x0, double x1, double y0, double y1)
{
    return x1 == x0 ? y0 : y0 + (x - x0) * (y1 - y0) / (x1 - x0);
}

QByteArray bytesOf(QPDFObjectHandle object)
{
    if (object.isString()) {
        std::string const s = object.getStringValue();
        return QByteArray(s.data(), int(s.size()));
    }
    if (object.isStream()) {
        std::shared_ptr<Buffer> const data = object.getStreamData(qpdf_dl_generalized);
        return QByteArray(reinterpret_cast<char const*>(data->getBuffer()), int(data->getSize()));
    }
    return {};
}

std::string nameOf(QPDFObjectHandle object)
{
    return object.isName() ? object.getName() : std::string();
}

} // namespace

// A function that maps tints to the colour of another space (sampled, exponential or
// stitched); calculator functions are not read.
struct TintFunction
{
    int type = 2;
    std::vector<double> domain, range;
    // exponential
    std::vector<double> c0, c1;
    double exponent = 1;
    // sampled
    std::vector<int> size;
    std::vector<double> encode, decode, samples;
    int outputs = 0;
    // stitching
    std::vector<std::shared_ptr<TintFunction const>> parts;
    std::vector<double> bounds;

    // @p budget: how many more functions may be read; a stitching function that names
    // itself many times over stops there.
    static std::shared_ptr<TintFunction const> read(QPDFObjectHandle f, int depth, int& budget)
    {
        if (depth > kMaxDepth || --budget < 0 || !(f.isDictionary() || f.isStream()))
            return nullptr;
        QPDFObjectHandle dict = f.isStream() ? f.getDict() : f;
        auto out = std::make_shared<TintFunction>();
        out->type =
            dict.getKey("/FunctionType").isInteger() ? dict.getKey("/FunctionType").getIntValueAsInt() : -1;
        out->domain = numbers(dict.getKey("/Domain"));
        out->range = numbers(dict.getKey("/Range"));
        if (out->domain.size() < 2)
            return nullptr;
        if (out->type == 2) {
            out->c0 = numbers(dict.getKey("/C0"));
            out->c1 = numbers(dict.getKey("/C1"));
            if (out->c0.empty())
                out->c0 = {0};
            if (out->c1.empty())
                out->c1 = {1};
            if (out->c0.size() != out->c1.size())
                return nullptr;
            out->exponent = number(dict.getKey("/N"), 1);
            return out;
        }
        if (out->type == 3) {
            QPDFObjectHandle functions = dict.getKey("/Functions");
            out->bounds = numbers(dict.getKey("/Bounds"));
            out->encode = numbers(dict.getKey("/Encode"));
            int const k = functions.isArray() ? std::min(functions.getArrayNItems(), 64) : 0;
            if (k == 0 || int(out->bounds.size()) != k - 1 || int(out->encode.size()) < 2 * k)
                return nullptr;
            for (int i = 0; i < k; ++i) {
                auto part = read(functions.getArrayItem(i), depth + 1, budget);
                if (!part)
                    return nullptr;
                out->parts.push_back(part);
            }
            return out;
        }
        if (out->type != 0 || !f.isStream())
            return nullptr;
        std::vector<double> const size = numbers(dict.getKey("/Size"));
        int const inputs = int(out->domain.size() / 2);
        out->outputs = int(out->range.size() / 2);
        int const bits =
            dict.getKey("/BitsPerSample").isInteger() ? dict.getKey("/BitsPerSample").getIntValueAsInt() : 0;
        if (int(size.size()) != inputs || out->outputs == 0 || bits <= 0 || bits > 32)
            return nullptr;
        size_t count = size_t(out->outputs);
        for (double s : size) {
            if (!(s >= 1 && s <= kMaxSamples))
                return nullptr;
            out->size.push_back(int(s));
            count *= size_t(s);
            if (count > kMaxSamples)
                return nullptr;
        }
        out->encode = numbers(dict.getKey("/Encode"));
        if (int(out->encode.size()) < 2 * inputs) {
            out->encode.clear();
            for (int s : out->size)
                out->encode.insert(out->encode.end(), {0.0, double(s - 1)});
        }
        out->decode = numbers(dict.getKey("/Decode"));
        if (out->decode.size() < out->range.size())
            out->decode = out->range;
        QByteArray const data = bytesOf(f);
        if (size_t(data.size()) * 8 < count * size_t(bits))
            return nullptr;
        double const top = std::pow(2.0, bits) - 1;
        out->samples.reserve(count);
        size_t bit = 0;
        for (size_t i = 0; i < count; ++i) {
            quint64 v = 0;
            for (int b = 0; b < bits; ++b, ++bit)
                v = (v << 1) | ((uchar(data.at(int(bit / 8))) >> (7 - bit % 8)) & 1);
            out->samples.push_back(double(v) / top);
        }
        return out;
    }

    // False when it cannot say.
    bool evaluate(double const* in, int count, std::vector<double>& out) const
    {
        int const inputs = int(domain.size() / 2);
        if (count < inputs)
            return false;
        std::vector<double> x(size_t(inputs), 0.0);
        for (int i = 0; i < inputs; ++i)
            x[i] = std::isfinite(in[i]) ? within(in[i], domain[2 * i], domain[2 * i + 1]) : domain[2 * i];
        out.clear();
        if (type == 2) {
            double const t = std::pow(std::max(0.0, x[0]), exponent);
            for (size_t j = 0; j < c0.size(); ++j)
                out.push_back(c0[j] + t * (c1[j] - c0[j]));
        } else if (type == 3) {
            size_t i = 0;
            while (i < bounds.size() && x[0] >= bounds[i])
                ++i;
            double const low = i == 0 ? domain[0] : bounds[i - 1];
            double const high = i == bounds.size() ? domain[1] : bounds[i];
            double const e = interpolate(x[0], low, high, encode[2 * i], encode[2 * i + 1]);
            if (!parts[i]->evaluate(&e, 1, out))
                return false;
        } else {
            // One input between its two samples; more inputs take the nearest sample.
            std::vector<double> e(size_t(inputs), 0.0);
            for (int i = 0; i < inputs; ++i) {
                double const at =
                    interpolate(x[i], domain[2 * i], domain[2 * i + 1], encode[2 * i], encode[2 * i + 1]);
                e[i] = std::isfinite(at) ? std::clamp(at, 0.0, double(size[i] - 1)) : 0.0;
            }
            size_t index = 0, stride = 1;
            for (int i = 0; i < inputs; ++i) {
                index += size_t(inputs == 1 ? std::floor(e[i]) : std::round(e[i])) * stride;
                stride *= size_t(size[i]);
            }
            double const fraction = inputs == 1 ? e[0] - std::floor(e[0]) : 0.0;
            for (int j = 0; j < outputs; ++j) {
                double s = samples[index * outputs + j];
                if (fraction > 0 && int(index) + 1 < size[0])
                    s += fraction * (samples[(index + 1) * outputs + j] - s);
                out.push_back(interpolate(s, 0, 1, decode[2 * j], decode[2 * j + 1]));
            }
        }
        for (size_t j = 0; j < out.size() && 2 * j + 1 < range.size(); ++j)
            out[j] = within(out[j], range[2 * j], range[2 * j + 1]);
        return true;
    }
};

ColourSpace::ColourSpace(Family family, int components) : m_family(family), m_components(components) {}
ColourSpace::~ColourSpace() = default;

std::shared_ptr<ColourSpace const> ColourSpace::device(Family family)
{
    static auto const gray = std::make_shared<ColourSpace const>(Family::Gray, 1);
    static auto const rgb = std::make_shared<ColourSpace const>(Family::Rgb, 3);
    static auto const cmyk = std::make_shared<ColourSpace const>(Family::Cmyk, 4);
    return family == Family::Rgb ? rgb : family == Family::Cmyk ? cmyk : gray;
}

std::shared_ptr<ColourSpace const> ColourSpace::resolve(QPDFObjectHandle space, QPDFObjectHandle resources)
{
    try {
        if (auto found = read(space, resources, 0))
            return found;
    } catch (std::exception const&) {
        // A damaged definition reads as an unknown space.
    }
    return std::make_shared<ColourSpace const>(Family::Unknown, 0);
}

std::shared_ptr<ColourSpace const> ColourSpace::read(QPDFObjectHandle space, QPDFObjectHandle resources,
                                                     int depth)
{
    if (depth > kMaxDepth)
        return nullptr;
    if (space.isName()) {
        std::string const name = space.getName();
        if (name == "/DeviceGray" || name == "/G" || name == "/CalGray")
            return device(Family::Gray);
        if (name == "/DeviceRGB" || name == "/RGB" || name == "/CalRGB")
            return device(Family::Rgb);
        if (name == "/DeviceCMYK" || name == "/CMYK")
            return device(Family::Cmyk);
        if (name == "/Pattern")
            return std::make_shared<ColourSpace const>(Family::Pattern, 0);
        QPDFObjectHandle spaces =
            resources.isDictionary() ? resources.getKey("/ColorSpace") : QPDFObjectHandle();
        if (!spaces.isDictionary() || !spaces.hasKey(name))
            return nullptr;
        return read(spaces.getKey(name), resources, depth + 1);
    }
    if (!space.isArray() || space.getArrayNItems() < 1)
        return nullptr;
    std::string const family = nameOf(space.getArrayItem(0));
    int const n = space.getArrayNItems();
    if (family.empty())
        return nullptr;
    QPDFObjectHandle second = n > 1 ? space.getArrayItem(1) : QPDFObjectHandle::newNull();
    if (n == 1 || family == "/CalGray" || family == "/CalRGB" || family == "/CalCMYK")
        return read(QPDFObjectHandle::newName(family == "/CalCMYK" ? "/DeviceCMYK" : family), resources,
                    depth + 1);
    if (family == "/ICCBased") {
        QPDFObjectHandle dict = second.isStream() ? second.getDict() : QPDFObjectHandle::newNull();
        if (!dict.isDictionary())
            return nullptr;
        // The profile is not applied: the alternate space, or the device space of as many inks.
        if (auto alternate = read(dict.getKey("/Alternate"), resources, depth + 1))
            return alternate;
        int const inks = dict.getKey("/N").isInteger() ? dict.getKey("/N").getIntValueAsInt() : 0;
        return inks == 1   ? device(Family::Gray)
               : inks == 3 ? device(Family::Rgb)
               : inks == 4 ? device(Family::Cmyk)
                           : nullptr;
    }
    if (family == "/Lab") {
        auto lab = std::make_shared<ColourSpace>(Family::Lab, 3);
        QPDFObjectHandle dict = second.isDictionary() ? second : QPDFObjectHandle::newDictionary();
        std::vector<double> const white = numbers(dict.getKey("/WhitePoint"));
        std::vector<double> const range = numbers(dict.getKey("/Range"));
        if (white.size() == 3 && white[1] > 0)
            std::copy(white.begin(), white.end(), lab->m_white);
        if (range.size() == 4)
            std::copy(range.begin(), range.end(), lab->m_range);
        return lab;
    }
    if (family == "/Indexed" || family == "/I") {
        if (n < 4)
            return nullptr;
        auto indexed = std::make_shared<ColourSpace>(Family::Indexed, 1);
        indexed->m_base = read(second, resources, depth + 1);
        if (!indexed->m_base || indexed->m_base->components() == 0)
            return nullptr;
        double const highest = number(space.getArrayItem(2), 0);
        indexed->m_highest = std::isfinite(highest) ? int(within(highest, 0, 4095)) : 0;
        indexed->m_lookup = bytesOf(space.getArrayItem(3));
        return indexed;
    }
    if (family == "/Separation" || family == "/DeviceN") {
        if (n < 4)
            return nullptr;
        std::vector<std::string> names;
        if (second.isName())
            names.push_back(second.getName());
        else if (second.isArray())
            for (int i = 0; i < std::min(second.getArrayNItems(), 32); ++i)
                names.push_back(nameOf(second.getArrayItem(i)));
        if (names.empty())
            return nullptr;
        auto tint = std::make_shared<ColourSpace>(Family::Tint, int(names.size()));
        tint->m_base = read(space.getArrayItem(2), resources, depth + 1);
        int budget = 64;
        tint->m_tint = TintFunction::read(space.getArrayItem(3), 0, budget);
        static char const* const process[4] = {"/Cyan", "/Magenta", "/Yellow", "/Black"};
        bool processOnly = true, none = true;
        for (size_t i = 0; i < names.size(); ++i) {
            int const ink = int(std::find(process, process + 4, names[i]) - process);
            if (ink < 4)
                tint->m_process[ink] = int(i);
            processOnly = processOnly && ink < 4;
            none = none && names[i] == "/None";
        }
        tint->m_processOnly = processOnly;
        tint->m_none = none;
        return tint;
    }
    if (family == "/Pattern") {
        auto pattern = std::make_shared<ColourSpace>(Family::Pattern, 0);
        pattern->m_base = read(second, resources, depth + 1);
        if (pattern->m_base)
            pattern->m_components = pattern->m_base->components();
        return pattern;
    }
    return nullptr;
}

void ColourSpace::range(int component, double& low, double& high) const
{
    low = 0;
    high = 1;
    if (m_family == Family::Lab) {
        low = component == 0 ? 0 : m_range[2 * (component - 1)];
        high = component == 0 ? 100 : m_range[2 * (component - 1) + 1];
    } else if (m_family == Family::Indexed) {
        high = m_highest;
    }
}

QColor ColourSpace::initial() const
{
    double values[32];
    for (int i = 0; i < m_components && i < 32; ++i)
        values[i] = m_family == Family::Tint ? 1.0 : m_family == Family::Cmyk && i == 3 ? 1.0 : 0.0;
    if (m_family == Family::Pattern)
        return middle();
    return exact(values);
}

QColor ColourSpace::middle() const
{
    double values[32];
    for (int i = 0; i < m_components && i < 32; ++i) {
        double low, high;
        range(i, low, high);
        values[i] = m_family == Family::Indexed ? std::round(high / 2) : (low + high) / 2;
    }
    if (m_family == Family::Lab)
        values[1] = values[2] = 0; // no hue
    if (m_family == Family::Unknown || m_family == Family::Pattern)
        return QColor(128, 128, 128);
    return exact(values);
}

QColor ColourSpace::colour(double const* values, int count, std::string const& pattern,
                           QPDFObjectHandle resources) const
{
    if (m_family == Family::Unknown) {
        // Read by how many numbers the colour has.
        if (count == 1 || count == 3 || count == 4)
            return device(count == 1 ? Family::Gray : count == 3 ? Family::Rgb : Family::Cmyk)->exact(values);
        return middle();
    }
    if (m_family != Family::Pattern)
        return count >= m_components ? exact(values) : initial();
    // An uncoloured pattern paints in the colour given with it.
    if (m_base && count >= m_base->components())
        return m_base->exact(values);
    try {
        QPDFObjectHandle patterns =
            resources.isDictionary() ? resources.getKey("/Pattern") : QPDFObjectHandle();
        QPDFObjectHandle found = patterns.isDictionary() ? patterns.getKey(pattern) : QPDFObjectHandle();
        QPDFObjectHandle dict = found.isStream() ? found.getDict() : found;
        if (!dict.isDictionary() || number(dict.getKey("/PatternType"), 0) != 2)
            return middle();
        // A shading: its colour halfway along.
        QPDFObjectHandle shading = dict.getKey("/Shading");
        QPDFObjectHandle shadingDict = shading.isStream() ? shading.getDict() : shading;
        if (!shadingDict.isDictionary())
            return middle();
        auto const space = resolve(shadingDict.getKey("/ColorSpace"), resources);
        QPDFObjectHandle function = shadingDict.getKey("/Function");
        std::vector<double> domain = numbers(shadingDict.getKey("/Domain"));
        if (domain.size() < 2)
            domain = {0, 1, 0, 1};
        double const mid[2] = {(domain[0] + domain[1]) / 2,
                               domain.size() >= 4 ? (domain[2] + domain[3]) / 2 : 0.5};
        std::vector<double> out, part;
        int const functions = function.isArray() ? std::min(function.getArrayNItems(), 32) : 1;
        for (int i = 0; i < functions; ++i) {
            int budget = 64;
            auto f = TintFunction::read(function.isArray() ? function.getArrayItem(i) : function, 0, budget);
            if (!f || !f->evaluate(mid, 2, part))
                return space->middle();
            out.insert(out.end(), part.begin(), part.end());
        }
        return int(out.size()) >= space->components() && space->components() > 0 ? space->exact(out.data())
                                                                                 : space->middle();
    } catch (std::exception const&) {
        return middle();
    }
}

QColor ColourSpace::exact(double const* v) const
{
    switch (m_family) {
    case Family::Gray:
        return QColor::fromRgbF(unit(v[0]), unit(v[0]), unit(v[0]));
    case Family::Rgb:
        return QColor::fromRgbF(unit(v[0]), unit(v[1]), unit(v[2]));
    case Family::Cmyk:
        return QColor::fromCmykF(unit(v[0]), unit(v[1]), unit(v[2]), unit(v[3])).toRgb();
    case Family::Lab: {
        double const l = std::clamp(v[0], 0.0, 100.0);
        double const a = within(v[1], m_range[0], m_range[1]);
        double const b = within(v[2], m_range[2], m_range[3]);
        auto const inverse = [](double t) {
            return t > 6.0 / 29 ? t * t * t : 3 * (6.0 / 29) * (6.0 / 29) * (t - 4.0 / 29);
        };
        double const fy = (l + 16) / 116;
        // Relative to the space's white, shown against daylight's.
        double const x = 0.9505 * inverse(fy + a / 500), y = inverse(fy), z = 1.089 * inverse(fy - b / 200);
        auto const encoded = [](double c) {
            c = unit(c);
            return c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
        };
        return QColor::fromRgbF(unit(encoded(3.2406 * x - 1.5372 * y - 0.4986 * z)),
                                unit(encoded(-0.9689 * x + 1.8758 * y + 0.0415 * z)),
                                unit(encoded(0.0557 * x - 0.2040 * y + 1.0570 * z)));
    }
    case Family::Indexed: {
        int const inks = m_base->components();
        int const index = int(std::lround(within(std::isfinite(v[0]) ? v[0] : 0, 0, m_highest)));
        if ((index + 1) * inks > m_lookup.size())
            return m_base->middle();
        double base[32];
        for (int i = 0; i < inks && i < 32; ++i) {
            double low, high;
            m_base->range(i, low, high);
            base[i] = low + uchar(m_lookup.at(index * inks + i)) / 255.0 * (high - low);
        }
        return m_base->exact(base);
    }
    case Family::Tint: {
        if (m_none)
            return Qt::white;
        std::vector<double> out;
        if (m_tint && m_base && m_base->components() > 0 && m_tint->evaluate(v, m_components, out) &&
            int(out.size()) >= m_base->components())
            return m_base->exact(out.data());
        if (m_processOnly) {
            double cmyk[4] = {0, 0, 0, 0};
            for (int ink = 0; ink < 4; ++ink)
                if (m_process[ink] >= 0)
                    cmyk[ink] = v[m_process[ink]];
            return device(Family::Cmyk)->exact(cmyk);
        }
        // No way to the alternate's values: its middle colour, lighter as the tints fall.
        double strongest = 0;
        for (int i = 0; i < m_components; ++i)
            strongest = std::max(strongest, unit(v[i]));
        QColor const mid = m_base && m_base->components() > 0 ? m_base->middle() : QColor(128, 128, 128);
        auto const mix = [&](int c) { return int(std::lround(255 - strongest * (255 - c))); };
        return QColor(mix(mid.red()), mix(mid.green()), mix(mid.blue()));
    }
    case Family::Pattern:
    case Family::Unknown:
        break;
    }
    return QColor(128, 128, 128);
}

} // namespace engine
} // namespace pdfconv
