#pragma once
// Conversion between the program's UTF-8 text and the 8-bit code page that
// files and device sentences use. By default that is the codeset of the
// user's locale; files written on another system can be read with an
// explicit code page such as "CP1252" or "GBK". Characters the code page
// lacks become '?', bytes it cannot decode become U+FFFD.

#include <string>
#include <string_view>

namespace vantrel {

class CodePage {
public:
    // The codeset of the user's locale (LC_CTYPE from the environment).
    static std::string LocaleCodeset();

    CodePage();  // the locale's codeset
    explicit CodePage(std::string name);

    const std::string& Name() const { return name_; }
    // True when the name is a code page this system can convert.
    bool IsValid() const { return valid_; }

    std::string ToUtf8(std::string_view bytes) const;
    std::string FromUtf8(std::string_view text) const;

private:
    std::string name_;
    bool valid_;
};

}  // namespace vantrel
