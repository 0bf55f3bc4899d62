#pragma once
// The files a command reads and writes, "-" among them for standard input
// or output. Every failure is told on stderr as "cannot read NAME: REASON"
// or "cannot write NAME: REASON", the reason being the system's own text
// where the system gave one.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/Options.h"

namespace vantrel::cli {

struct FileArg {
    std::string path;  // "-" for standard input or output
    std::string kind;  // what it holds, as an extension: ".gpx"; --format for "-"

    bool Standard() const { return path == "-"; }
    // How messages name it when it is read or written.
    std::string InName() const { return Standard() ? "standard input" : path; }
    std::string OutName() const { return Standard() ? "standard output" : path; }
};

// An operand as a file: its extension, or --format for "-" (which has no
// name to go by). nullopt after a usage message when "-" comes without
// --format.
std::optional<FileArg> FileArgument(const std::string& operand, const CommandOptions& options);

// False after a usage message when --format is given but no operand is
// "-", or more than one is (one format cannot name two).
bool FormatFitsOperands(const CommandOptions& options, std::span<const std::string> operands);

// Sends summaries to stderr while data goes to standard output.
void KeepNotesOffStdout(CommandOptions& options, const FileArg& out);

// The whole input, or nullopt after telling why. An input larger than
// `limit` bytes is refused after reading no more than one byte past it, so an
// endless input (a pipe, /dev/zero) ends too; `what` names what the input
// should hold in that message.
std::optional<std::string> ReadInput(const FileArg& in, std::size_t limit,
                                     std::string_view what);

// Writes `bytes` to the file (never half-written) or to standard output;
// false after telling why.
bool WriteOutput(const FileArg& out, std::string_view bytes);

// True when the two paths name one file: the same file once links are
// followed, or, where neither exists yet, the same path.
bool SameFile(const std::string& a, const std::string& b);

// "cannot read NAME: REASON" / "cannot write NAME: REASON" on stderr; the
// exit code for a bad file.
int CannotRead(const FileArg& in, std::string_view reason);
int CannotWrite(const FileArg& out, std::string_view reason);

}  // namespace vantrel::cli
