#include "locale/CodePage.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <memory>

namespace vantrel {

namespace {

class Converter {
public:
    Converter(const std::string& to, const std::string& from)
        : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (Ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; on a byte sequence it cannot take it writes
    // `replacement` and skips one input unit of `skip` bytes.
    std::string Run(std::string_view in, std::string_view replacement, std::size_t skip) const {
        std::string out;
        if (!Ok()) return out;
        out.resize(in.size() * 4 + 16);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        std::size_t used = 0;
        while (srcLeft > 0) {
            char* dst = out.data() + used;
            std::size_t dstLeft = out.size() - used;
            std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            used = out.size() - dstLeft;
            if (rc != static_cast<std::size_t>(-1)) break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
            } else {  // EILSEQ or EINVAL: an unconvertible or truncated sequence
                std::size_t n = std::min(skip == 0 ? Utf8Length(*src) : skip, srcLeft);
                src += n;
                srcLeft -= n;
                out.resize(std::max(out.size(), used + replacement.size() + srcLeft * 4 + 16));
                out.replace(used, replacement.size(), replacement);
                used += replacement.size();
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        out.resize(used);
        return out;
    }

private:
    static std::size_t Utf8Length(char lead) {
        auto c = static_cast<unsigned char>(lead);
        if (c < 0xC0) return 1;
        if (c < 0xE0) return 2;
        if (c < 0xF0) return 3;
        return 4;
    }

    iconv_t cd_;
};

}  // namespace

std::string CodePage::LocaleCodeset() {
    // Read the environment's LC_CTYPE without changing the process locale.
    locale_t loc = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) return "ISO-8859-1";
    std::string codeset = nl_langinfo_l(CODESET, loc);
    freelocale(loc);
    // The plain "C" locale calls itself ANSI_X3.4-1968; read its high half as Latin-1.
    if (codeset.empty() || codeset == "ANSI_X3.4-1968") return "ISO-8859-1";
    return codeset;
}

CodePage::CodePage() : CodePage(LocaleCodeset()) {}

CodePage::CodePage(std::string name) : name_(std::move(name)) {
    Converter probe("UTF-8", name_);
    valid_ = probe.Ok();
}

std::string CodePage::ToUtf8(std::string_view bytes) const {
    if (!valid_) return std::string(bytes);
    return Converter("UTF-8", name_).Run(bytes, "\xEF\xBF\xBD", 1);
}

std::string CodePage::FromUtf8(std::string_view text) const {
    if (!valid_) return std::string(text);
    return Converter(name_, "UTF-8").Run(text, "?", 0);
}

}  // namespace vantrel
