#include "serial/EComm32Error.h"

#include <cstdio>
#include <cstdlib>

#include "serial/CommErrno.h"
#include "serial/TCommSerialPortInfo.h"

namespace vantrel {

namespace {

// The three message tables, each ending with a pair whose text is absent.
constexpr TComm32Language::TMessage kEnglish[] = {
    {1, "Out of memory"},
    {2, "Cannot initialize read buffer"},
    {3, "Cannot initialize write buffer"},
    {4, "Cannot open COM port"},
    {5, "Cannot set comm-mask"},
    {6, "Cannot set COM port buffer size"},
    {7, "Cannot read COM port parameters"},
    {8, "Cannot set COM port parameters"},
    {9, "Cannot create COM port asynchronize read event"},
    {10, "Cannot create COM port asynchronize write event"},
    {11, "Cannot create COM port read thread"},
    {12, "Cannot create COM port write thread"},
    {13, "Cannot close COM port read thread"},
    {14, "Cannot close COM port write thread"},
    {0, nullptr},
};
constexpr TComm32Language::TMessage kSimplified[] = {
    {1, "内存不够"},
    {2, "不能初始化读缓存"},
    {3, "不能初始化写缓存"},
    {4, "不能打开串行口"},
    {5, "不能设置串行口事件MASK"},
    {6, "不能设置串行口缓存"},
    {7, "不能得到串行口参数"},
    {8, "不能设置串行口参数"},
    {9, "不能创建串行口异步读事件"},
    {10, "不能创建串行口异步写事件"},
    {11, "不能创建串行口读线程"},
    {12, "不能创建串行口写线程"},
    {13, "不能关闭串行口读线程"},
    {14, "不能关闭串行口写线程"},
    {0, nullptr},
};
constexpr TComm32Language::TMessage kTraditional[] = {
    {1, "記憶體不夠"},
    {2, "不能初始化讀緩存"},
    {3, "不能初始化寫緩存"},
    {4, "不能打開序列埠"},
    {5, "不能設置序列埠事件MASK"},
    {6, "不能設置序列埠緩存"},
    {7, "不能得到序列埠參數"},
    {8, "不能設置序列埠參數"},
    {9, "不能創建序列埠非同步讀事件"},
    {10, "不能創建序列埠非同步寫事件"},
    {11, "不能創建序列埠讀執行緒"},
    {12, "不能創建序列埠寫執行緒"},
    {13, "不能關閉序列埠讀執行緒"},
    {14, "不能關閉序列埠寫執行緒"},
    {0, nullptr},
};

constexpr TComm32Language::TLanguageRecord kEnglishRecord = {kEnglish, "Serial port: \"%s\" - ",
                                                             "Unknown error"};
constexpr TComm32Language::TLanguageRecord kSimplifiedRecord = {kSimplified, "串行口:“%s”- ",
                                                                "未知错误"};
constexpr TComm32Language::TLanguageRecord kTraditionalRecord = {kTraditional, "序列埠:『%s』- ",
                                                                 "未知錯誤"};

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string FormatPrefix(const char* format, const std::string& port) {
    if (port.empty()) return {};
    int n = std::snprintf(nullptr, 0, format, port.c_str());
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, port.c_str());
    out.resize(static_cast<std::size_t>(n));
    return out;
}

}  // namespace

TComm32Language::TComm32Language() : TComm32Language(EnvReader(&std::getenv)) {}

TComm32Language::TComm32Language(const EnvReader& env) : lcId_(English) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = env(name);
        if (value && *value) {
            lcId_ = LcIdOfLocaleName(value);
            return;
        }
    }
}

TComm32Language::TComm32Language(unsigned long LcId) : lcId_(LcId == 0 ? English : LcId) {}

unsigned long TComm32Language::LcIdOfLocaleName(std::string_view name) {
    if (StartsWith(name, "zh_CN")) return SimplifiedChinese;
    if (StartsWith(name, "zh_TW") || StartsWith(name, "zh_HK")) return TraditionalChinese;
    return English;
}

TComm32Language::TLanguageRecord TComm32Language::Record() const {
    if (lcId_ == SimplifiedChinese) return kSimplifiedRecord;
    if (lcId_ == TraditionalChinese) return kTraditionalRecord;
    return kEnglishRecord;
}

std::string EComm32Error::ComposeMessage(TErrorCode Code, const std::string& Port,
                                         const TComm32Language& Language) {
    const TComm32Language::TLanguageRecord record = Language.Record();
    std::string message = FormatPrefix(record.PrefixFormat, Port);
    for (const TComm32Language::TMessage* m = record.Table; m->Text; ++m) {
        if (m->Code == Code) return message + m->Text;
    }
    return message + record.UnknownText;
}

EComm32Error::EComm32Error(TErrorCode Code) : EComm32Error(Code, std::string()) {}

EComm32Error::EComm32Error(TErrorCode Code, const std::string& Port, int SystemErrno,
                           std::string Holder)
    : EComm32Error(Code, Port, TComm32Language(), SystemErrno) {
    holder_ = std::move(Holder);
}

EComm32Error::EComm32Error(TErrorCode Code, const std::string& Port,
                           const TComm32Language& Language, int SystemErrno)
    : std::runtime_error(ComposeMessage(Code, Port, Language)),
      code_(Code),
      port_(Port),
      errno_(SystemErrno) {}

std::string EComm32Error::OpenFailureAdvice() const {
    if (errno_ == 0) return {};
    return vantrel::OpenFailureAdvice(errno_, TCommSerialPortInfo::DevicePath(port_), holder_);
}

}  // namespace vantrel
