#include "cli/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/AtomicFile.h"
#include "cli/Cli.h"

namespace vantrel::cli {

std::optional<FileArg> FileArgument(const std::string& operand, const CommandOptions& options) {
    if (operand != "-") return FileArg{operand, LowerExtension(operand)};
    if (options.format.empty()) {
        Fail("- (standard input or output) needs --format " + FormatsText(), kUsage);
        return std::nullopt;
    }
    return FileArg{operand, options.format};
}

bool FormatFitsOperands(const CommandOptions& options, std::span<const std::string> operands) {
    const auto dashes = std::count(operands.begin(), operands.end(), "-");
    if (dashes > 1) {
        Fail("only one of the files can be - (standard input or output)", kUsage);
        return false;
    }
    if (dashes == 0 && !options.format.empty()) {
        Fail("--format names what - (standard input or output) holds; files go by their "
             "extension",
             kUsage);
        return false;
    }
    return true;
}

void KeepNotesOffStdout(CommandOptions& options, const FileArg& out) {
    if (out.Standard() && options.notes == stdout) options.notes = stderr;
}

std::optional<std::string> ReadInput(const FileArg& in, std::size_t limit, std::string_view what) {
    std::error_code error;
    auto bytes = ReadFileBytes(in.Standard() ? "/dev/stdin" : in.path, error, limit);
    if (bytes) return bytes;
    if (error == std::errc::file_too_large)
        CannotRead(in, "larger than the " + std::to_string(limit) + " bytes " + std::string(what) +
                           " can be");
    else
        CannotRead(in, error.message());
    return std::nullopt;
}

bool WriteOutput(const FileArg& out, std::string_view bytes) {
    if (!out.Standard()) {
        std::error_code error;
        if (WriteFileAtomically(out.path, bytes, error)) return true;
        CannotWrite(out, error.message());
        return false;
    }
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
                         std::fflush(stdout) == 0;
    if (!written) CannotWrite(out, std::generic_category().message(errno ? errno : EIO));
    return written;
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) return true;
    const auto one = std::filesystem::weakly_canonical(a, error);
    const auto other = std::filesystem::weakly_canonical(b, error);
    return !error && one == other;
}

int CannotRead(const FileArg& in, std::string_view reason) {
    return Fail("cannot read " + in.InName() + ": " + std::string(reason), kBadFile);
}

int CannotWrite(const FileArg& out, std::string_view reason) {
    return Fail("cannot write " + out.OutName() + ": " + std::string(reason), kBadFile);
}

}  // namespace vantrel::cli
