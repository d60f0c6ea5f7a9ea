#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quorvel {

// The BMP header variants Qt's reader does not take, brought to ones it
// does, and the reasons for those nothing can be done about. Qt reads the
// OS/2 1.x header (12 bytes), the Windows headers of 40, 108 and 124 bytes
// and the full OS/2 2.x header (64 bytes). Rewritten here:
//   - the Windows V2 and V3 info headers (52 and 56 bytes, with the colour
//     masks of bit-field pictures inside them) become a V4 header;
//   - shortened OS/2 2.x headers (16 to 63 bytes) become a 40-byte header
//     (their first fields are the same).
// Only the headers change: the palette and the pixels are taken as they are.
namespace bmpheader {

struct Check
{
    // Why the file cannot be shown; empty when it can (perhaps rewritten).
    QString refusal;
    // The header size the file must be rewritten to; 0 when it is fine.
    int rewriteTo = 0;
};

// Looks at the file's first 78 bytes (the file header and the longest
// header that is rewritten). A file that is no BMP gives an empty check.
Check check(QByteArrayView head);
inline constexpr int kHeadBytes = 14 + 64;

// The whole file with its header rewritten as check() said; empty when
// the data does not hold that header.
QByteArray rewritten(QByteArrayView file, int rewriteTo);

} // namespace bmpheader
} // namespace quorvel
