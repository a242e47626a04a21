#include "app/handlers/main_window_components.h"

#include "app/window/main_window_template.h"
#include "runtime/values/class_ids.h"

namespace veltrano::app {
namespace {

namespace c = main_window::component;
using configurator::Control;

ComponentAddress at(std::uint32_t componentId, std::uint32_t classId, std::int32_t textProperty) {
    return ComponentAddress{main_window::kWindowId, componentId, classId, textProperty};
}

ComponentAddress button(std::uint32_t componentId) {
    return at(componentId, class_id::kButton, property::kButtonCaption);
}

ComponentAddress edit(std::uint32_t componentId) {
    return at(componentId, class_id::kEditBox, property::kEditText);
}

ComponentAddress combo(std::uint32_t componentId) {
    return at(componentId, class_id::kComboBox, -1);
}

}  // namespace

ComponentAddress addressOf(Control control) {
    switch (control) {
        case Control::Window: return at(0, class_id::kWindow, property::kWindowCaption);
        case Control::PortList: return combo(c::组合框_串口);
        case Control::BaudList: return combo(c::组合框_波特率);
        case Control::PortButton: return button(c::按钮_开关端口);
        case Control::ClearLogButton: return button(c::按钮_清空显示);
        case Control::ReceiveTimer: return at(c::时钟_接收数据, class_id::kTimer, -1);
        case Control::Display: return edit(c::编辑框_显示);
        case Control::LearnInput: return edit(c::编辑框_学习);
        case Control::TestButton: return button(c::按钮_测试);
        case Control::LearnButton: return button(c::按钮_学习);
        case Control::SequencerRate: return edit(c::编辑框_时序器波特率);
        case Control::ProjectorRate: return edit(c::编辑框_投影仪波特率);
        case Control::PlayerRate: return edit(c::编辑框_播放器波特率);
        case Control::AmplifierRate: return edit(c::编辑框_功放波特率);
        case Control::BindingList: return combo(c::组合框_绑定端口);
        case Control::SetRatesButton: return button(c::按钮_设置波特率);
        case Control::OpenFileButton: return button(c::打开文件);
        case Control::SaveFileButton: return button(c::保存文件);
        case Control::SaveFileAsButton: return button(c::另存文件);
        case Control::ClearModuleButton: return button(c::清空模块);
        case Control::ReadModuleButton: return button(c::读取模块);
        case Control::WriteModuleButton: return button(c::写入模块);
        case Control::Progress: return at(c::进度条1, class_id::kProgressBar, -1);
    }
    return at(0, class_id::kWindow, property::kWindowCaption);
}

ComponentAddress gridAddress() {
    return at(c::高级表格1, class_id::kGrid, -1);
}

ComponentAddress fileDialogAddress() {
    return at(c::通用对话框1, class_id::kCommonDialog, -1);
}

}  // namespace veltrano::app
