#include "runtime/kernel/fatal_report_text.h"

#include <array>

namespace veltrano {
namespace {

constexpr bool isWindowId(std::uint32_t id) noexcept {
    return ((id >> 24) & 0xFu) == 2;
}

void appendQuoted(std::string& out, std::string_view name) {
    out += "\r\n\"";
    out += name;
    out += '"';
}

}  // namespace

std::string buildLocationText(const LocationLookup& lookup, std::uint32_t firstId, std::uint32_t secondId) {
    std::string text = "\r\n" + std::to_string(static_cast<std::int32_t>(firstId)) + ", " +
                       std::to_string(static_cast<std::int32_t>(secondId));
    if (isWindowId(firstId)) {
        if (auto windowName = lookup.windowEntryName(firstId)) {
            appendQuoted(text, *windowName);
            if (auto componentName = lookup.componentName(firstId, secondId)) {
                appendQuoted(text, *componentName);
            } else {
                text += "\r\n未找到所指定的窗口组件";
            }
        } else {
            text += "\r\n未找到所指定的窗口";
        }
    }
    text += "\r\n";
    return text;
}

std::string buildFatalReportText(std::string_view message, std::int32_t code, std::string_view location) {
    std::string text = "运行时出错!\r\n";
    if (code != 0) {
        text += "\r\n错误代码：";
        text += std::to_string(code);
        text += "\r\n";
    }
    if (!message.empty()) {
        text += "\r\n错误信息：";
        text += message;
        text += "\r\n";
    }
    text += location;
    return text;
}

std::string_view numberedErrorMessage(int number) noexcept {
    static constexpr std::array<std::string_view, 11> kMessages = {
        "数组成员引用下标超出定义范围",
        "未得到所需要的数值型数据",
        "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
        "数组成员引用下标必须大于等于1",
        "数据或数组类型不匹配",
        "调用DLL命令后发现堆栈错误",
        "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
        "被比较数据只能使用等于或不等于命令比较",
        "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
        "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
        "所提供参数的数据类型不符合要求",
    };
    if (number < 1 || number > static_cast<int>(kMessages.size())) return {};
    return kMessages[static_cast<std::size_t>(number - 1)];
}

}  // namespace veltrano
