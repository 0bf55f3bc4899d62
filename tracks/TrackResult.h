#pragma once
// What a track operation did and what the user is told of it. The window
// shows the message under its caption; the command line says the reason
// after the file's name and chooses its exit code by the outcome.

#include <string>

namespace vantrel {

struct TrackResult {
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

    static TrackResult Refusal(std::string message, std::string caption, std::string reason) {
        return {Outcome::Refused, std::move(message), std::move(caption), std::move(reason)};
    }
    static TrackResult Cut(std::string message, std::string caption, std::string reason) {
        return {Outcome::Partial, std::move(message), std::move(caption), std::move(reason)};
    }
};

}  // namespace vantrel
