#pragma once
// A sequence of named steps that a host runs in order: the window's start-up
// and its splash-and-probe sequence. A step returns false to end the
// sequence early; a step that throws ends it too, and its error is shown.

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "base/UserMessages.h"

namespace vantrel {

struct NamedStep {
    std::string_view name;
    std::function<bool()> run;  // false: stop after this step
};

struct StepsOutcome {
    std::size_t completed = 0;  // steps that ran to their end
    bool stoppedEarly = false;  // a step returned false or threw
};

// Runs the steps in order. A thrown exception's message is shown with the
// caption `errorCaption` and ends the sequence at that step.
StepsOutcome RunSteps(const std::vector<NamedStep>& steps, UserMessages& messages,
                      std::string_view errorCaption);

}  // namespace vantrel
