#pragma once

// Exiv2 0.27's headers use std::auto_ptr, which C++17 deprecates. Only the
// adapters in core/exif (and tests that write EXIF) include this; no Exiv2
// type appears in a public header.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
#include <QtGlobal>
#include <exiv2/exiv2.hpp>

#include <string>

namespace quorvel::exiv2 {

// The library's image of a file, read through a plain FileIo: given a path,
// ImageFactory would treat names like "http://..." as addresses to fetch.
// Callers hold the result with auto, so that only this header names the
// deprecated smart pointer.
inline Exiv2::Image::AutoPtr openFile(const std::string &path)
{
    Exiv2::BasicIo::AutoPtr io(new Exiv2::FileIo(path));
    return Exiv2::ImageFactory::open(io);
}

inline Exiv2::Image::AutoPtr openMemory(const char *data, qsizetype size)
{
    return Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(data), long(size));
}

} // namespace quorvel::exiv2

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
