// The settings dialog's texts in English, Simplified and Traditional Chinese.

#include "serial/PortSettingsForm.h"

namespace vantrel {

namespace {

using MsgTable = std::array<const char*, TForm_KxCommDevice_Settings::MsgCount>;

constexpr MsgTable kEnglish = {
    "&OK",
    "&Cancel",
    "COM port Setup",
    "COM port",
    "Baud",
    "Parity",
    "Byte Size",
    "Stop Bits",
    "Flow Control",
    "No parity",
    "Odd",
    "Even",
    "Mark",
    "None",
    "RTS/CTS",
    "Xon/Xoff",
    "RTS/CTS & Xon/Xoff",
    "Must select COM Port",
    "Must select baud rate",
    "Invalid baud rate",
    "Must select byte size",
    "Must select parity check",
    "Must select stop bits",
    "Must select flow control",
    "&About",
    "&Default",
    "Port",
    "Modem",
    "Buffer",
    "Auto Answer",
    "Input Buf.",
    "Output Buf.",
    "Auto Answer: 0 - 255",
    "Input Buffer size error",
    "Output Buffer size error",
    "Space Parity",
};

constexpr MsgTable kSimplifiedChinese = {
    "确定",
    "取消",
    "串行口设置",
    "串行口",
    "波特率",
    "奇偶校验",
    "数据位",
    "停止位",
    "数据流控",
    "No parity (无)",
    "Odd (奇)",
    "Even (偶)",
    "Mark (标记)",
    "None (无)",
    "RTS/CTS (硬件)",
    "Xon/Xoff (软件)",
    "RTS/CTS & Xon/Xoff (硬&软)",
    "必须选择串行口",
    "必须输入/选择波特率",
    "无效的波特率",
    "必须选择数据位",
    "必须选择奇偶校验",
    "必须选择停止位",
    "必须选择数据流控制",
    "关于",
    "默认",
    "串行口选项",
    "调制解调器选项",
    "缓存容量",
    "自动应答",
    "输入缓存",
    "输出缓存",
    "自动应答必须是 0 - 255 的整数",
    "输入缓存容量错误",
    "输出缓存容量错误",
    "Space (空格)",
};

constexpr MsgTable kTraditionalChinese = {
    "確定",
    "取消",
    "序列埠設定",
    "序列埠",
    "傳輸速率",
    "奇偶校驗",
    "資料位元",
    "停止位元",
    "資料流控",
    "No parity (無)",
    "Odd (奇)",
    "Even (偶)",
    "Mark (標記)",
    "None (無)",
    "RTS/CTS (硬體)",
    "Xon/Xoff (軟體)",
    "RTS/CTS & Xon/Xoff (硬&軟)",
    "必須選擇序列埠",
    "必須輸入/選擇序列傳輸速率",
    "無效的序列傳輸速率",
    "必須選擇資料位元",
    "必須選擇奇偶校驗",
    "必須選擇停止位元",
    "必須選擇資料流程控制",
    "關於",
    "默認",
    "埠選項",
    "數據機選項",
    "緩存容量",
    "自動回應",
    "輸入緩存",
    "輸出緩存",
    "自動回應必須是 0 - 255 的整數",
    "輸入緩存容量錯誤",
    "輸出緩存容量錯誤",
    "Space (空白)",
};

const MsgTable& TableOf(const TComm32Language& Language) {
    switch (Language.fGetLcId()) {
        case TComm32Language::SimplifiedChinese:
            return kSimplifiedChinese;
        case TComm32Language::TraditionalChinese:
            return kTraditionalChinese;
        default:
            return kEnglish;
    }
}

}  // namespace

TForm_KxCommDevice_Settings::TMsgStrings::TMsgStrings(const TComm32Language& Language)
    : Table_(&TableOf(Language)) {}

std::string TForm_KxCommDevice_Settings::TMsgStrings::fGetMsg(int Index) const {
    if (Index < 0 || Index >= MsgCount) return {};
    return (*Table_)[static_cast<std::size_t>(Index)];
}

}  // namespace vantrel
