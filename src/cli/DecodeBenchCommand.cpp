#include "Commands.h"

#include "core/imaging/ImageDecoder.h"

#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <vector>

namespace quorvel::cli {

// Decodes each file a few times and prints
// "<path>\t<decoder>\t<megapixels>\t<best ms>\t<median ms>".
int runBenchDecode(const QStringList &args)
{
    int runs = 5;
    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args.at(++i).toInt());
        else
            files.append(QDir::fromNativeSeparators(args.at(i)));
    }
    if (files.isEmpty()) {
        err(QStringLiteral("usage: quorvel-tool bench-decode [--runs N] FILES..."));
        return 2;
    }
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
