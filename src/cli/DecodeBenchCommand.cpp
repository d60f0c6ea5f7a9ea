#include "Commands.h"

#include "core/imaging/ImageDecoder.h"

#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <vector>

namespace quorvel::cli {

void defineBenchDecode(CommandLine &line)
{
    line.describe(QStringLiteral("[--runs N] FILE..."),
                  QStringLiteral("time decoding: path, decoder, megapixels, best and median milliseconds"));
    line.addOption(QCommandLineOption(QStringLiteral("runs"), QStringLiteral("decodes per file (5)"),
                                      QStringLiteral("N"), QStringLiteral("5")));
    line.addArgument(QStringLiteral("FILE"), QStringLiteral("an image file"));
}

// Decodes each file a few times and prints
// "<path>\t<decoder>\t<megapixels>\t<best ms>\t<median ms>".
int runBenchDecode(const CommandLine &line)
{
    const int runs = std::max(1, line.value(QStringLiteral("runs")).toInt());
    QStringList files;
    for (const QString &file : line.positional())
        files.append(QDir::fromNativeSeparators(file));
    if (files.isEmpty())
        return line.usageError();
    int status = 0;
    for (const QString &path : files) {
        std::vector<double> ms;
        DecodeResult last;
        for (int r = 0; r < runs; ++r) {
            QElapsedTimer timer;
            timer.start();
            last = ImageDecoder::decodeFile(path, DecodeOptions());
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
            if (!last.ok())
                break;
        }
        if (!last.ok()) {
            err(QStringLiteral("quorvel-tool: %1: %2").arg(QDir::toNativeSeparators(path), last.error));
            status = 1;
            continue;
        }
        std::sort(ms.begin(), ms.end());
        out(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                .arg(QDir::toNativeSeparators(path), decoderName(last.decoder))
                .arg(double(last.image.width()) * last.image.height() / 1e6, 0, 'f', 2)
                .arg(ms.front(), 0, 'f', 2)
                .arg(ms[ms.size() / 2], 0, 'f', 2));
    }
    return status;
}

} // namespace quorvel::cli
