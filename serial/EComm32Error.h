#pragma once
// The serial library's exception: a numbered error code, the port it
// concerns, the system's errno behind it, and a message in the user's
// language (English, Simplified or Traditional Chinese) such as
// "Serial port: \"COM9\" - Cannot open COM port".

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantrel {

// Chooses the message table from a locale identifier: 2052 Simplified
// Chinese, 1028 Traditional Chinese, anything else English (1033).
class TComm32Language {
  public:
    static constexpr unsigned long English = 1033;
    static constexpr unsigned long SimplifiedChinese = 2052;
    static constexpr unsigned long TraditionalChinese = 1028;

    // Reads an environment variable; std::getenv by default.
    using EnvReader = std::function<const char*(const char*)>;

    // The user's message locale: the first set of LC_ALL, LC_MESSAGES, LANG.
    TComm32Language();
    explicit TComm32Language(const EnvReader& env);
    explicit TComm32Language(unsigned long LcId);

    // zh_CN... gives 2052, zh_TW... and zh_HK... give 1028, any other 1033.
    static unsigned long LcIdOfLocaleName(std::string_view name);

    unsigned long fGetLcId() const { return lcId_; }
    void fSetLcId(unsigned long LcId) { lcId_ = LcId; }

    // One (code, text) pair of a message table; a table ends with a pair
    // whose text is absent.
    struct TMessage {
        int Code;
        const char* Text;
    };
    struct TLanguageRecord {
        const TMessage* Table;
        const char* PrefixFormat;  // one %s: the port name
        const char* UnknownText;
    };
    TLanguageRecord Record() const;

  private:
    unsigned long lcId_;
};

class EComm32Error : public std::runtime_error {
  public:
    enum TErrorCode : int {
        ecOutOfMemory = 1,
        ecReadBuffer = 2,
        ecWriteBuffer = 3,
        ecOpenPort = 4,
        ecCommMask = 5,
        ecBufferSize = 6,
        ecGetParameters = 7,
        ecSetParameters = 8,
        ecReadEvent = 9,
        ecWriteEvent = 10,
        ecReadThread = 11,
        ecWriteThread = 12,
        ecCloseReadThread = 13,
        ecCloseWriteThread = 14,
    };

    // The message in the user's language; a non-empty port name is put in
    // front of it with the language's prefix.
    explicit EComm32Error(TErrorCode Code);
    // `Holder` names the program that holds a busy port ("minicom (pid 12)").
    EComm32Error(TErrorCode Code, const std::string& Port, int SystemErrno = 0,
                 std::string Holder = {});
    EComm32Error(TErrorCode Code, const std::string& Port, const TComm32Language& Language,
                 int SystemErrno = 0);

    static std::string ComposeMessage(TErrorCode Code, const std::string& Port,
                                      const TComm32Language& Language);

    TErrorCode ErrorCode() const { return code_; }
    const std::string& PortName() const { return port_; }
    // The errno behind the failure, 0 when there was none.
    int SystemError() const { return errno_; }
    // What the user can do about it, in English words: that the port does
    // not exist, that the user lacks the group that owns it, that another
    // program holds it ... Empty when there is no system error to explain.
    std::string OpenFailureAdvice() const;

  private:
    TErrorCode code_;
    std::string port_;
    int errno_;
    std::string holder_;
};

}  // namespace vantrel
