#include "app/NamedSteps.h"

#include <exception>

namespace vantrel {

StepsOutcome RunSteps(const std::vector<NamedStep>& steps, UserMessages& messages,
                      std::string_view errorCaption) {
    StepsOutcome outcome;
    for (const auto& step : steps) {
        bool goOn = false;
        try {
            goOn = step.run();
        } catch (const std::exception& e) {
            messages.ShowMessage(e.what(), errorCaption);
            outcome.stoppedEarly = true;
            return outcome;
        }
        ++outcome.completed;
        if (!goOn) {
            outcome.stoppedEarly = true;
            return outcome;
        }
    }
    return outcome;
}

}  // namespace vantrel
