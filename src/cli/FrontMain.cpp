// quorvel-tool as the user starts it. It loads no Qt and no imaging library
// but libjpeg: it decodes a JPEG file itself when asked just to decode it,
// the command a batch runs over thousands of photos, and prints its version;
// every other command it hands to the program that carries it (Handover.h).

#include "Handover.h"
#include "ProgramLaunch.h"
#include "StripDecode.h"

#include <cstdio>
#include <cstring>

using namespace quorvel::cli;

int main(int argc, char **argv)
{
    if (argc < 2)
        return launchProgram(kMetadataTool, argv); // which explains the usage
    const char *command = argv[1];
    if (std::strcmp(command, "decode") == 0) {
        switch (stripDecode(argc, argv)) {
        case StripDecodeOutcome::Done:
            return 0;
        case StripDecodeOutcome::NotJpeg:
            return launchProgram(kCompleteTool, argv);
        case StripDecodeOutcome::LeftToDecoder:
            break;
        }
        return launchProgram(kDecodeTool, argv);
    }
    if (argc == 2 && (std::strcmp(command, "--version") == 0 || std::strcmp(command, "-v") == 0)) {
        std::fputs("quorvel-tool " QUORVEL_VERSION "\n", stdout);
        return 0;
    }
    static const char *const kMetadataCommands[] = {"info", "set-exif", "describe", "scan", "stats", "export"};
    for (const char *metadata : kMetadataCommands) {
        if (std::strcmp(command, metadata) == 0)
            return launchProgram(kMetadataTool, argv);
    }
    return launchProgram(kCompleteTool, argv);
}
