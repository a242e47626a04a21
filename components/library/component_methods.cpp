#include "components/library/component_methods.h"

#include "components/combo_box/combo_box_object.h"
#include "components/common_dialog/common_dialog_object.h"
#include "components/edit_box/edit_box_object.h"
#include "runtime/core_library/command_arguments.h"
#include "runtime/core_library/command_results.h"
#include "runtime/kernel/runtime_application.h"
#include "runtime/kernel/runtime_services.h"

namespace veltrano::core_library {
namespace {

constexpr int kArgumentTypeError = 11;

// The component named by the first triple (window id, component id, class
// id). A component that is not loaded is the runtime's fatal error; one of
// another kind than the command works on is an argument of the wrong type.
template <typename Object>
Object& component(const CommandArguments& in) {
    const ValueTriple& target = in.triple(0);
    WindowObject* object = services::componentObjectOrFail(target.low, target.high);
    auto* typed = dynamic_cast<Object*>(object);
    if (typed == nullptr)
        RuntimeApplication::current().reportNumberedError(kArgumentTypeError, target.low, target.high);
    return *typed;
}

}  // namespace

void EditAppendText(ValueTriple*, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    EditBoxObject& edit = component<EditBoxObject>(in);
    for (std::uint32_t i = 1; i < in.count(); ++i) edit.appendText(in.text(i));
}

void ComboAddItem(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    ComboBoxObject& combo = component<ComboBoxObject>(in);
    setInteger(*result, combo.addItem(in.text(1), in.optionalInteger(2).value_or(0)));
}

void ComboClear(ValueTriple*, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    component<ComboBoxObject>(in).clear();
}

void ComboItemCount(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setInteger(*result, component<ComboBoxObject>(in).itemCount());
}

void ComboItemText(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    ComboBoxObject& combo = component<ComboBoxObject>(in);
    setText(*result, combo.itemText(in.integer(1)));
}

void CommonDialogShow(ValueTriple* result, std::uint32_t count, const ValueTriple* arguments) {
    const CommandArguments in(count, arguments);
    setInteger(*result, component<CommonDialogObject>(in).show());
}

}  // namespace veltrano::core_library
