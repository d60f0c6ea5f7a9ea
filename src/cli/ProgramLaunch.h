#pragma once

namespace quorvel::cli {

// quorvel-tool's hand-over without Qt (see Handover.h for the programs and
// where they lie): runs the named program with the same arguments in place
// of this process. Returns only when it cannot, with a message and 127.
int launchProgram(const char *program, char **argv);

} // namespace quorvel::cli
