#pragma once
// The command line's commands: each is a function over its arguments that
// returns one of the exit codes below.

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace vantrel::cli {

// How messages and errors name the program.
inline constexpr const char* kProgramName = "vantrel-cli";

// Exit codes that tell a script what failed.
enum ExitCode : int {
    kOk = 0,
    kUsage = 2,           // unknown command or bad arguments
    kNoDevice = 3,        // no device found
    kPortError = 4,       // the port could not be opened, or was lost
    kTransferFailed = 5,  // the device stopped answering, or the transfer failed
    kBadFile = 6,         // a file could not be read, written or decoded
    kIncomplete = 7,      // done, but not all of it: what was left out is on stderr
};

using Args = std::span<const std::string>;

struct Command {
    std::string_view name;
    std::string_view usage;    // arguments, as shown by --help
    std::string_view summary;  // one line
    int (*run)(Args args);
};

// The commands, each in cli/<Name>Command.cpp.
int RunPorts(Args args);  // lists the serial ports

// True when args asks for help ("--help" or "-h" anywhere).
bool WantsHelp(Args args);
// Prints "usage: vantrel-cli NAME USAGE" and the summary to `out`.
void PrintUsage(const Command& command, std::FILE* out);

int RunAssemble(Args args);   // AssembleCommand.cpp
int RunConvert(Args args);    // ConvertCommand.cpp
int RunInfo(Args args);       // InfoCommand.cpp
int RunDownload(Args args);   // DeviceCommands.cpp
int RunUpload(Args args);     // DeviceCommands.cpp
int RunSettings(Args args);   // DeviceCommands.cpp
int RunLanguages(Args args);  // LanguagesCommand.cpp
int RunGeotag(Args args);     // GeotagCommand.cpp
int RunMaps(Args args);       // MapsCommand.cpp

}  // namespace vantrel::cli
