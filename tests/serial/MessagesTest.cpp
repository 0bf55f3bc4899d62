// Error messages in three languages, the locale rule, and the advice for a
// port that would not open.

#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>

#include "serial/EComm32Error.h"

namespace vantrel {
namespace {

std::string Message(int code, const std::string& port, unsigned long lcId) {
    return EComm32Error::ComposeMessage(static_cast<EComm32Error::TErrorCode>(code), port,
                                        TComm32Language(lcId));
}

TEST(Messages, EnglishTableWithAndWithoutPort) {
    EXPECT_EQ(Message(4, "COM9", 1033), "Serial port: \"COM9\" - Cannot open COM port");
    EXPECT_EQ(Message(1, "", 1033), "Out of memory");
    EXPECT_EQ(Message(9, "COM1", 0),
              "Serial port: \"COM1\" - Cannot create COM port asynchronize read event");
    EXPECT_EQ(Message(14, "", 1033), "Cannot close COM port write thread");
    EXPECT_EQ(Message(0, "COM3", 1033), "Serial port: \"COM3\" - Unknown error");
    EXPECT_EQ(Message(15, "", 1033), "Unknown error");
    EXPECT_EQ(Message(4, "%s%n", 1033), "Serial port: \"%s%n\" - Cannot open COM port");
}

TEST(Messages, ChineseTables) {
    EXPECT_EQ(Message(4, "COM9", 2052), "串行口:“COM9”- 不能打开串行口");
    EXPECT_EQ(Message(5, "", 2052), "不能设置串行口事件MASK");
    EXPECT_EQ(Message(99, "", 2052), "未知错误");
    EXPECT_EQ(Message(4, "COM9", 1028), "序列埠:『COM9』- 不能打開序列埠");
    EXPECT_EQ(Message(12, "", 1028), "不能創建序列埠寫執行緒");
    EXPECT_EQ(Message(0, "", 1028), "未知錯誤");
}

TEST(Messages, LocaleRule) {
    EXPECT_EQ(TComm32Language::LcIdOfLocaleName("zh_CN.UTF-8"), 2052u);
    EXPECT_EQ(TComm32Language::LcIdOfLocaleName("zh_TW.Big5"), 1028u);
    EXPECT_EQ(TComm32Language::LcIdOfLocaleName("zh_HK"), 1028u);
    EXPECT_EQ(TComm32Language::LcIdOfLocaleName("zh_SG.UTF-8"), 1033u);
    EXPECT_EQ(TComm32Language::LcIdOfLocaleName("C"), 1033u);

    std::map<std::string, std::string> env = {{"LANG", "zh_TW.UTF-8"}};
    auto reader = [&](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(TComm32Language(reader).fGetLcId(), 1028u);
    env["LC_MESSAGES"] = "zh_CN.UTF-8";
    EXPECT_EQ(TComm32Language(reader).fGetLcId(), 2052u);
    env["LC_ALL"] = "en_GB.UTF-8";
    EXPECT_EQ(TComm32Language(reader).fGetLcId(), 1033u);
    env.clear();
    TComm32Language language(reader);
    EXPECT_EQ(language.fGetLcId(), 1033u);
    language.fSetLcId(2052);
    EXPECT_STREQ(language.Record().UnknownText, "未知错误");
}

TEST(Messages, AdviceForAPortThatWouldNotOpen) {
    const auto advice = [](int err, const std::string& port) {
        return EComm32Error(EComm32Error::ecOpenPort, port, TComm32Language(1033), err)
            .OpenFailureAdvice();
    };
    EXPECT_NE(advice(ENOENT, "COM3").find("no serial port /dev/ttyS2"), std::string::npos);
    EXPECT_NE(advice(EBUSY, "/dev/ttyUSB0").find("is busy: another program"), std::string::npos);
    EXPECT_EQ(advice(0, "COM3"), "");

    char path[] = "/tmp/vantrel-port-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    const group* owner = ::getgrgid(::getgid());
    ASSERT_NE(owner, nullptr);
    const std::string text = advice(EACCES, path);
    EXPECT_NE(text.find("belongs to the group \"" + std::string(owner->gr_name) + "\""),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("usermod -a -G"), std::string::npos);
    std::remove(path);
}

}  // namespace
}  // namespace vantrel
