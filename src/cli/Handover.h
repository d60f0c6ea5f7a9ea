#pragma once

namespace quorvel::cli {

// The command-line tool is a few programs, so that each command loads only
// the libraries it needs. quorvel-tool itself (FrontMain.cpp) loads no Qt:
// it decodes plain JPEG files and says its version. The commands that need
// no imaging library (info, set-exif, describe on single files; scan, stats
// and export over a folder) go to quorvel-tool-meta, which loads QtCore and
// Exiv2. The other decodes go to quorvel-tool-decode, which decodes JPEG
// files with libjpeg-turbo and Little CMS alone (and writes --out with
// QtGui); everything else (other formats, rotation, page preparation, the
// full help) is done by the complete tool, quorvel-tool-all. They lie beside quorvel-tool in the build tree and under
// libexec when installed. Where quorvel-tool cannot be built without Qt
// (Windows), quorvel-tool is the metadata program itself.
inline constexpr char kMetadataTool[] = "quorvel-tool-meta";
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
