#pragma once

#include <QString>

namespace quorvel {
struct DecodeOptions;
}

namespace quorvel::cli {

// The picture memory of a one-shot decode. A new process maps its picture
// memory fresh, and the system clears every page of it on first touch: for
// a 24-megapixel photo (96 MB) about as long as the decode itself, all of it
// on the decoding thread. For a JPEG file this reads the picture's size from
// its header, takes the buffer the decoder will take from ImageBufferPool
// and has it cleared by two threads at once, then leaves it in the pool,
// where the decoder finds it mapped. Anything it cannot read it leaves
// alone; the decode then maps its memory as usual.
void preparePictureMemory(const QString &path, const DecodeOptions &options);

} // namespace quorvel::cli
