// The C library's iconv_open takes one lock for the whole process and searches its converter
// modules under it on every call. The PDF library opens and closes a converter for every word
// it hands out, so the page threads spent a sixth of their time there, mostly waiting for each
// other. These definitions stand in for the C library's within the helper: each thread keeps
// the converters it closed and hands them out again, reset, for the same pair of encodings.
// Everything else goes to the C library unchanged.

#include <dlfcn.h>
#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace {

using OpenFn = iconv_t (*)(char const*, char const*);
using CloseFn = int (*)(iconv_t);

OpenFn realOpen()
{
    static OpenFn const fn = reinterpret_cast<OpenFn>(dlsym(RTLD_NEXT, "iconv_open"));
    return fn;
}

CloseFn realClose()
{
    static CloseFn const fn = reinterpret_cast<CloseFn>(dlsym(RTLD_NEXT, "iconv_close"));
    return fn;
}

iconv_t const kInvalid = reinterpret_cast<iconv_t>(-1);

struct Converter
{
    iconv_t cd = kInvalid;
    char to[32] = {};
    char from[32] = {};

    bool is(char const* t, char const* f) const
    {
        return std::strcmp(to, t) == 0 && std::strcmp(from, f) == 0;
    }
};

bool fits(char const* name)
{
    return std::strlen(name) < sizeof(Converter::to);
}

// Per thread: converters this thread opened and has not closed (with their pair, so a closed
// one is kept under the right pair), and closed ones ready to hand out again.
struct Kept
{
    Converter open[8];
    Converter closed[4];
    bool alive = true; // a converter closed while the thread ends goes to the C library

    ~Kept()
    {
        alive = false;
        for (auto& c : closed)
            if (c.cd != kInvalid && realClose()) {
                realClose()(c.cd);
                c.cd = kInvalid;
            }
    }

    Converter* find(Converter* list, int n, iconv_t cd)
    {
        for (int i = 0; i < n; ++i)
            if (list[i].cd == cd)
                return &list[i];
        return nullptr;
    }

    void remember(iconv_t cd, char const* to, char const* from)
    {
        // A descriptor the C library hands out now is a new one, whatever an old entry says.
        if (Converter* stale = find(open, 8, cd))
            stale->cd = kInvalid;
        if (Converter* slot = find(open, 8, kInvalid)) {
            slot->cd = cd;
            std::strcpy(slot->to, to);
            std::strcpy(slot->from, from);
        }
    }
};

thread_local Kept t_kept;

} // namespace

extern "C" iconv_t iconv_open(char const* tocode, char const* fromcode)
{
    OpenFn const open = realOpen();
    if (!open) {
        errno = EINVAL;
        return kInvalid;
    }
    if (!t_kept.alive || !tocode || !fromcode || !fits(tocode) || !fits(fromcode))
        return open(tocode, fromcode);
    for (auto& c : t_kept.closed)
        if (c.cd != kInvalid && c.is(tocode, fromcode)) {
            iconv_t const cd = c.cd;
            c.cd = kInvalid;
            iconv(cd, nullptr, nullptr, nullptr, nullptr); // back to the initial shift state
            t_kept.remember(cd, tocode, fromcode);
            return cd;
        }
    iconv_t const cd = open(tocode, fromcode);
    if (cd != kInvalid)
        t_kept.remember(cd, tocode, fromcode);
    return cd;
}

extern "C" int iconv_close(iconv_t cd)
{
    Converter* const mine = cd == kInvalid || !t_kept.alive ? nullptr : t_kept.find(t_kept.open, 8, cd);
    if (mine) {
        Converter* const slot = t_kept.find(t_kept.closed, 4, kInvalid);
        if (slot) {
            *slot = *mine;
            mine->cd = kInvalid;
            return 0;
        }
        mine->cd = kInvalid;
    }
    CloseFn const close = realClose();
    if (!close) {
        errno = EBADF;
        return -1;
    }
    return close(cd);
}
