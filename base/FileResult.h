#pragma once
// What a file operation did and what the user is told of it. The window
// shows the message under its caption; the command line says the reason
// after the file's name and chooses its exit code by the outcome.

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel {

struct FileResult {
    enum class Outcome {
        Done,     // all of it
        Partial,  // done with what could be kept; the reason says what was left out
        Refused,  // nothing was changed
    };
    Outcome outcome = Outcome::Done;
    std::string message;  // as the window shows it, e.g. "File Error!"; empty: nothing to tell
    std::string caption;  // the window's caption for it
    std::string reason;   // what happened in plain words, for the command line

    bool Done() const { return outcome == Outcome::Done; }
    bool Refused() const { return outcome == Outcome::Refused; }

    static FileResult Refusal(std::string message, std::string caption, std::string reason) {
        return {Outcome::Refused, std::move(message), std::move(caption), std::move(reason)};
    }
    static FileResult Cut(std::string message, std::string caption, std::string reason) {
        return {Outcome::Partial, std::move(message), std::move(caption), std::move(reason)};
    }
};

// The one wording of a file that could not be opened or saved: "Cannot open
// day3.kml: REASON" (the file's name without its folders), caption "Error".
inline FileResult FileRefusal(std::string_view verb, const std::string& path,
                              const std::string& reason) {
    const std::string name = std::filesystem::path(path).filename().string();
    return FileResult::Refusal("Cannot " + std::string(verb) + " " + name + ": " + reason,
                               "Error", reason);
}
inline FileResult OpenRefusal(const std::string& path, const std::string& reason) {
    return FileRefusal("open", path, reason);
}
inline FileResult SaveRefusal(const std::string& path, const std::string& reason) {
    return FileRefusal("save", path, reason);
}

}  // namespace vantrel
