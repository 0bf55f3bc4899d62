#include "app/CodePageChoice.h"

#include <cstdlib>
#include <string>

namespace vantrel {

CodePage ChooseCodePage(const char* environmentValue, std::string_view settingValue) {
    for (std::string_view name :
         {std::string_view(environmentValue ? environmentValue : ""), settingValue}) {
        if (name.empty()) continue;
        CodePage chosen{std::string(name)};
        if (chosen.IsValid()) return chosen;
    }
    return CodePage();
}

CodePage ProgramCodePage(const SettingsStore& settings) {
    return ChooseCodePage(std::getenv(kCodePageVariable), settings.ReadString(kCodePageSetting));
}

}  // namespace vantrel
