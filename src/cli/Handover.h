#pragma once

namespace quorvel::cli {

// quorvel-tool itself carries only the commands that need no imaging
// libraries, so that it starts at once; everything else (decoding,
// rotation, page preparation, the full help) is done by the complete tool,
// quorvel-tool-all, which lies beside it in the build tree and under
// libexec when installed.
//
// Runs the complete tool with the same arguments in place of this process
// and returns its exit status; returns 127 with a message when it cannot
// be found or started.
int handOver(int argc, char **argv);

} // namespace quorvel::cli
