#pragma once

namespace quorvel::cli {

// quorvel-tool itself carries only the commands that need no imaging
// libraries (EXIF, descriptions, folder listings), so that it starts at
// once. decode goes to quorvel-tool-decode,
// which decodes JPEG files with libjpeg-turbo alone; everything else
// (other formats, rotation, page preparation, the full help) is done by the
// complete tool, quorvel-tool-all. Both lie beside quorvel-tool in the build
// tree and under libexec when installed.
inline constexpr char kDecodeTool[] = "quorvel-tool-decode";
inline constexpr char kCompleteTool[] = "quorvel-tool-all";

// Runs the named program (one of the above) with the same arguments in
// place of this process and returns its exit status; returns 127 with a
// message when it cannot be found or started.
int handOver(const char *program, int argc, char **argv);

// The same with the arguments main() was given, kept by keepArguments().
void keepArguments(int argc, char **argv);
int handOverKept(const char *program);

} // namespace quorvel::cli
