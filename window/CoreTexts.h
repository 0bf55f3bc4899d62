#pragma once
// The core's texts as the window shows them: messages, their captions and
// the chart's axis titles, which the command line prints in English, in the
// language chosen. A fixed text is looked up by its English words; a
// composed one by its frame ("Cannot open %1: %2"), with the parts it was
// given looked up in turn. A text the translations do not know shows as it
// stands.

#include <QString>
#include <string_view>
#include <vector>

namespace vantrel {

QString CoreText(std::string_view english);
// Undo's and Redo's menu texts ("Undo Trim Day 3"), the step named too.
QString HistoryText(std::string_view english);

// The English texts CoreText() knows: the fixed ones and the frames.
std::vector<const char*> CoreTextList();

}  // namespace vantrel
