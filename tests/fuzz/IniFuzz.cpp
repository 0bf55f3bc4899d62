// The settings reader over arbitrary text: a value set is read back, also
// from the document written and read again, and a written document reads
// back as itself.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/SettingsStore.h"
#include "base/IniDocument.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IniDocument document(text);
    FUZZ_CHECK(document.Set(kSettingsSection, "codepage", " CP1252 "));
    FUZZ_CHECK(document.Get(kSettingsSection, "CODEPAGE") == "CP1252");
    const IniDocument again(document.Text());
    FUZZ_CHECK(again.Get(kSettingsSection, "codepage") == "CP1252");
    FUZZ_CHECK(IniDocument(again.Text()).Text() == again.Text());
    return 0;
}
