#pragma once

// Exiv2 0.27's headers use std::auto_ptr, which C++17 deprecates. Only the
// adapters in core/exif include this; no Exiv2 type appears in a public header.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
#include <exiv2/exiv2.hpp>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
