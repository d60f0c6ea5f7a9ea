// quorvel-tool: the program's core functions from the command line, for
// batch work and for checking them against real files.

#include "Commands.h"

#include <QGuiApplication>

#include <cstring>
#include <memory>
#include <iterator>

namespace quorvel::cli {

namespace {

const Command kCommands[] = {
    {"scan", "scan FOLDER                 list the folder's entries and their kinds in scan order", runScan},
    {"info", "info [--tsv] FILE...        the EXIF fields of each file and their texts in every display style", runInfo},
    {"decode", "decode FILE [--out PNG] [--cms] [--hq-raw]  decode as the viewer does: path, decoder, size, file bpp",
     runDecode},
    {"bench-decode", "bench-decode [--runs N] FILES...  time decoding: path, decoder, megapixels, best and median ms",
     runBenchDecode},
    {"stats", "stats FOLDER [--filter TEXT]  the rows of the EXIF statistics of the folder's files", runStats},
    {"export", "export FOLDER OUT [--filter TEXT]  write the image-information export of the listed files", runExport},
    {"set-exif", "set-exif FILE [--model T] [--date T] [--iso N] [--fnumber X] [--focal X]  set ('' removes) EXIF fields",
     runSetExif},
    {"set-dpi", "set-dpi FILE H V            store a JPEG's resolution in dots per inch", runSetDpi},
    {"rotate", "rotate --left|--right|--180|--hor|--ver [--trim] FILE [OUT]  lossless JPEG turn (TIFF by pixels)",
     runRotate},
    {"describe", "describe FILE | describe --set TEXT FILE...  print or store ('' removes) a file's description", runDescribe},
};

void usage()
{
    err(QStringLiteral("usage: quorvel-tool COMMAND [ARGS...]"));
    for (const Command &c : kCommands)
        err(QStringLiteral("  ") + QString::fromUtf8(c.usage));
}

} // namespace

void out(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
}

void err(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fputc('\n', stderr);
}

} // namespace quorvel::cli

int main(int argc, char **argv)
{
    using namespace quorvel::cli;
    const Command *command = nullptr;
    if (argc >= 2) {
        for (const Command &c : kCommands) {
            if (std::strcmp(argv[1], c.name) == 0)
                command = &c;
        }
    }
    if (command) {
        std::unique_ptr<QCoreApplication> app;
        if (command->needsGui) {
            // No window is ever shown: the offscreen platform serves anywhere.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
        return command->run(QCoreApplication::arguments().mid(2));
    }
    if (argc < 2) {
        usage();
        return 2;
    }
    err(QStringLiteral("quorvel-tool: unknown command '%1'").arg(QString::fromLocal8Bit(argv[1])));
    usage();
    return 2;
}
