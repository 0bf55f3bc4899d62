#pragma once
// The code page of language files without a byte-order mark and of the files
// the program writes: the environment variable VANTREL_CODEPAGE, else the
// setting "codepage", else the codeset of the user's locale. Files written on
// another system are read by naming their code page, e.g. CP1252 or GBK.

#include <string_view>

#include "app/SettingsStore.h"
#include "locale/CodePage.h"

namespace vantrel {

inline constexpr const char* kCodePageVariable = "VANTREL_CODEPAGE";
inline constexpr std::string_view kCodePageSetting = "codepage";

// The first of the override from the environment (may be null) and the
// stored setting that names a code page this system knows, else the locale's.
CodePage ChooseCodePage(const char* environmentValue, std::string_view settingValue);

// The choice for this process's environment and settings.
CodePage ProgramCodePage(const SettingsStore& settings);

}  // namespace vantrel
