#pragma once

namespace quorvel::cli {

// quorvel-tool decode FILE, for a JPEG file, done by quorvel-tool itself
// without loading Qt: the rows pass through a strip, the line printed is the
// one the complete tool prints. Anything it does not do exactly as the
// complete tool would (options, a name that is not plain UTF-8, a file it
// cannot open, damaged headers, a picture refused for its size) it leaves
// to the other programs.
enum class StripDecodeOutcome {
    Done,           // the line is printed; the exit status is 0
    NotJpeg,        // the file opened and is no JPEG: for the complete tool
    LeftToDecoder,  // for quorvel-tool-decode, which answers as the complete tool does
};

// argv as main() was given it, argv[1] being "decode".
StripDecodeOutcome stripDecode(int argc, char **argv);

} // namespace quorvel::cli
