#pragma once

namespace quorvel {

// Prepares the metadata library for use: silences its log output and sets up
// its XMP support, which must happen once before any thread uses it. Safe to
// call any number of times from any thread; the readers call it themselves.
void initExifLibrary();

} // namespace quorvel
