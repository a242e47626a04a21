#include "tools/template_compiler/component_classes.h"

#include <array>

#include "runtime/values/class_ids.h"
#include "tools/template_compiler/class_fields.h"
#include "tools/template_compiler/property_values.h"

namespace veltrano::tc {
namespace {

template <typename Data>
class TypedBuilder final : public PropertyBuilder {
public:
    explicit TypedBuilder(std::string_view className) : className_(className) {}

    std::optional<std::string> assign(std::string_view property, const std::vector<Token>& value) override {
        bool found = false;
        std::optional<std::string> error;
        visitFields(data_, [&](std::string_view name, auto& field) {
            if (found || name != property) return;
            found = true;
            error = assignValue(field, value);
        });
        if (!found) return "unknown property '" + std::string(property) + "' of class " + std::string(className_);
        if (error) return std::string(property) + ": " + *error;
        return std::nullopt;
    }

    std::vector<std::uint8_t> encode() const override { return classdata::encode(data_); }

private:
    std::string_view className_;
    Data data_;
};

template <typename Data>
class TypedClass final : public ComponentClass {
public:
    constexpr TypedClass(std::string_view name, std::uint32_t classId) : name_(name), classId_(classId) {}

    std::string_view name() const override { return name_; }
    std::uint32_t classId() const override { return classId_; }
    std::unique_ptr<PropertyBuilder> newBuilder() const override { return std::make_unique<TypedBuilder<Data>>(name_); }

    std::optional<PropertyLines> describe(std::span<const std::uint8_t> classData) const override {
        auto data = classdata::decode<Data>(classData);
        if (!data) return std::nullopt;
        PropertyLines lines;
        visitFields(*data, [&](std::string_view name, auto& field) {
            lines.emplace_back(std::string(name), describeValue(field));
        });
        return lines;
    }

private:
    std::string_view name_;
    std::uint32_t classId_;
};

const TypedClass<classdata::WindowData> kWindowClass{"window", class_id::kWindow};
const TypedClass<classdata::EditBoxData> kEditBoxClass{"edit-box", class_id::kEditBox};
const TypedClass<classdata::GroupBoxData> kGroupBoxClass{"group-box", class_id::kGroupBox};
const TypedClass<classdata::LabelData> kLabelClass{"label", class_id::kLabel};
const TypedClass<classdata::ButtonData> kButtonClass{"button", class_id::kButton};
const TypedClass<classdata::ComboBoxData> kComboBoxClass{"combo-box", class_id::kComboBox};
const TypedClass<classdata::ProgressBarData> kProgressBarClass{"progress-bar", class_id::kProgressBar};
const TypedClass<classdata::CommonDialogData> kCommonDialogClass{"common-dialog", class_id::kCommonDialog};
const TypedClass<classdata::TimerData> kTimerClass{"timer", class_id::kTimer};
const TypedClass<classdata::GridDesignData> kGridClass{"grid", class_id::kGrid};

const std::array<const ComponentClass*, 10> kClasses = {
    &kWindowClass,   &kEditBoxClass,     &kGroupBoxClass,     &kLabelClass, &kButtonClass,
    &kComboBoxClass, &kProgressBarClass, &kCommonDialogClass, &kTimerClass, &kGridClass};

}  // namespace

const ComponentClass* findClassByName(std::string_view name) {
    for (const ComponentClass* c : kClasses) {
        if (c->name() == name) return c;
    }
    return nullptr;
}

const ComponentClass* findClassById(std::uint32_t classId) {
    for (const ComponentClass* c : kClasses) {
        if (c->classId() == classId) return c;
    }
    return nullptr;
}

}  // namespace veltrano::tc
