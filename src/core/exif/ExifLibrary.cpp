#include "core/exif/ExifLibrary.h"

#include "core/exif/Exiv2Include.h"

#include <mutex>

namespace quorvel {

void initExifLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Damaged files make the library warn on stderr; the reader reports
        // them by its result alone.
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize();
    });
}

} // namespace quorvel
