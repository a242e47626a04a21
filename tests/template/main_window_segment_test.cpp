#include <gtest/gtest.h>

#include <string_view>

#include "app/window/main_window_template.h"
#include "components/classdata/button_data.h"
#include "components/classdata/edit_box_data.h"
#include "components/classdata/grid_design_data.h"
#include "components/classdata/group_box_data.h"
#include "components/classdata/label_data.h"
#include "components/classdata/window_data.h"
#include "runtime/template/component_record.h"
#include "runtime/template/handler_relocation.h"
#include "runtime/template/segment_reader.h"
#include "runtime/values/class_ids.h"

namespace veltrano {
namespace {

namespace mw = main_window;
using mw::Handler;

constexpr std::uint32_t kBox = 0x1601062B;

struct Expected {
    std::uint32_t id;
    std::string_view name;  // code page 936 bytes
    std::uint32_t classId;
    std::int32_t left, top, width, height;
    std::uint32_t parent;
    std::uint32_t flags;
    std::int32_t event;  // -100: no binding
    std::uint32_t handlerIndex;
    bool emptyClassData;
};

constexpr std::int32_t kNoEvent = -100;
constexpr std::uint32_t V = 1;
constexpr std::uint32_t VT = 5;

constexpr std::uint32_t h(Handler handler) {
    return static_cast<std::uint32_t>(handler);
}

// The definition, restated independently of the compiler.
const Expected kEntries[] = {
    {0x06010000, "", class_id::kWindow, 60, 60, 740, 818, 0, V, 0, h(Handler::onWindowCreated), false},
    {0x16010614, "\xB1\xE0\xBC\xAD\xBF\xF2\x5F\xCF\xD4\xCA\xBE", class_id::kEditBox, 165, 0, 571, 110, 0, VT, kNoEvent,
     0, false},
    {0x16010615, "\xB1\xE0\xBC\xAD\xBF\xF2\x5F\xB9\xFD\xB6\xC9", class_id::kEditBox, 160, 64, 88, 32, 0, 4, kNoEvent, 0,
     true},
    {0x16010616, "\xB1\xE0\xBC\xAD\xBF\xF2\x5F\xD1\xA7\xCF\xB0", class_id::kEditBox, 8, 115, 600, 24, 0, VT, kNoEvent,
     0, false},
    {0x16010617, "\xB0\xB4\xC5\xA5\x5F\xB2\xE2\xCA\xD4", class_id::kButton, 615, 115, 50, 25, 0, VT, 0,
     h(Handler::onSendTestClicked), false},
    {0x16010618, "\xB0\xB4\xC5\xA5\x5F\xD1\xA7\xCF\xB0", class_id::kButton, 675, 115, 50, 25, 0, VT, 0,
     h(Handler::onLearnClicked), false},
    {0x16010619, "\xB1\xEA\xC7\xA9\x33", class_id::kLabel, 8, 148, 40, 16, 0, V, kNoEvent, 0, false},
    {0x1601061A, "\xB1\xE0\xBC\xAD\xBF\xF2\x5F\xCA\xB1\xD0\xF2\xC6\xF7\xB2\xA8\xCC\xD8\xC2\xCA", class_id::kEditBox, 56,
     145, 60, 24, 0, VT, kNoEvent, 0, false},
    {0x1601061B, "\xB1\xEA\xC7\xA9\x34", class_id::kLabel, 126, 148, 40, 16, 0, V, kNoEvent, 0, false},
    {0x1601061C, "\xB1\xE0\xBC\xAD\xBF\xF2\x5F\xCD\xB6\xD3\xB0\xD2\xC7\xB2\xA8\xCC\xD8\xC2\xCA", class_id::kEditBox,
     174, 145, 60, 24, 0, VT, kNoEvent, 0, false},
    {0x1601061D, "\xB1\xEA\xC7\xA9\x35", class_id::kLabel, 249, 148, 40, 16, 0, V, kNoEvent, 0, false},
    {0x1601061E, "\xB1\xE0\xBC\xAD\xBF\xF2\x5F\xB2\xA5\xB7\xC5\xC6\xF7\xB2\xA8\xCC\xD8\xC2\xCA", class_id::kEditBox,
     297, 145, 60, 24, 0, VT, kNoEvent, 0, false},
    {0x1601061F, "\xB1\xEA\xC7\xA9\x36", class_id::kLabel, 367, 148, 40, 16, 0, V, kNoEvent, 0, false},
    {0x16010620, "\xB1\xE0\xBC\xAD\xBF\xF2\x5F\xB9\xA6\xB7\xC5\xB2\xA8\xCC\xD8\xC2\xCA", class_id::kEditBox, 415, 145,
     60, 24, 0, VT, kNoEvent, 0, false},
    {0x16010621, "\xB1\xEA\xC7\xA9\x37", class_id::kLabel, 485, 148, 83, 16, 0, V, kNoEvent, 0, false},
    {0x16010622, "\xD7\xE9\xBA\xCF\xBF\xF2\x5F\xB0\xF3\xB6\xA8\xB6\xCB\xBF\xDA", class_id::kComboBox, 570, 145, 75, 24,
     0, VT, kNoEvent, 0, true},
    {0x16010623, "\xB0\xB4\xC5\xA5\x5F\xC9\xE8\xD6\xC3\xB2\xA8\xCC\xD8\xC2\xCA", class_id::kButton, 652, 145, 75, 24, 0,
     VT, 0, h(Handler::onSetBaudRatesClicked), false},
    {0x16010624, "\xB8\xDF\xBC\xB6\xB1\xED\xB8\xF1\x31", class_id::kGrid, 0, 176, 735, 568, 0, VT, kNoEvent, 0, false},
    {0x16010625, "\xB4\xF2\xBF\xAA\xCE\xC4\xBC\xFE", class_id::kButton, 6, 745, 66, 25, 0, VT, 0,
     h(Handler::onOpenFileClicked), false},
    {0x16010626, "\xB1\xA3\xB4\xE6\xCE\xC4\xBC\xFE", class_id::kButton, 106, 745, 66, 25, 0, VT, 0,
     h(Handler::onSaveFileClicked), false},
    {0x16010627, "\xC1\xED\xB4\xE6\xCE\xC4\xBC\xFE", class_id::kButton, 206, 745, 66, 25, 0, VT, 0,
     h(Handler::onSaveFileAsClicked), false},
    {0x16010628, "\xC7\xE5\xBF\xD5\xC4\xA3\xBF\xE9", class_id::kButton, 406, 745, 66, 25, 0, VT, 0,
     h(Handler::onClearModuleClicked), false},
    {0x16010629, "\xB6\xC1\xC8\xA1\xC4\xA3\xBF\xE9", class_id::kButton, 506, 745, 66, 25, 0, VT, 0,
     h(Handler::onReadModuleClicked), false},
    {0x1601062A, "\xD0\xB4\xC8\xEB\xC4\xA3\xBF\xE9", class_id::kButton, 606, 745, 66, 25, 0, VT, 0,
     h(Handler::onWriteModuleClicked), false},
    {kBox, "\xB7\xD6\xD7\xE9\xBF\xF2\x31", class_id::kGroupBox, 0, 0, 160, 110, 0, V, kNoEvent, 0, false},
    {0x1601062C, "\xB0\xB4\xC5\xA5\x5F\xC7\xE5\xBF\xD5\xCF\xD4\xCA\xBE", class_id::kButton, 88, 72, 50, 25, kBox, VT, 0,
     h(Handler::onClearLogClicked), false},
    {0x1601062D, "\xCA\xB1\xD6\xD3\x5F\xBD\xD3\xCA\xD5\xCA\xFD\xBE\xDD", class_id::kTimer, 40, 32, 24, 16, kBox, V, 0,
     h(Handler::onReceiveTimerTick), true},
    {0x1601062E, "\xB0\xB4\xC5\xA5\x5F\xBF\xAA\xB9\xD8\xB6\xCB\xBF\xDA", class_id::kButton, 16, 72, 50, 25, kBox, VT, 0,
     h(Handler::onOpenClosePortClicked), false},
    {0x1601062F, "\xD7\xE9\xBA\xCF\xBF\xF2\x5F\xB2\xA8\xCC\xD8\xC2\xCA", class_id::kComboBox, 75, 44, 75, 20, kBox, VT,
     kNoEvent, 0, true},
    {0x16010630, "\xB1\xEA\xC7\xA9\x32", class_id::kLabel, 5, 44, 40, 16, kBox, V, kNoEvent, 0, false},
    {0x16010631, "\xD7\xE9\xBA\xCF\xBF\xF2\x5F\xB4\xAE\xBF\xDA", class_id::kComboBox, 75, 16, 75, 20, kBox, VT, 2,
     h(Handler::onPortListDroppedDown), true},
    {0x16010632, "\xB1\xEA\xC7\xA9\x31", class_id::kLabel, 5, 16, 32, 16, kBox, V, kNoEvent, 0, false},
    {0x16010633, "\xBD\xF8\xB6\xC8\xCC\xF5\x31", class_id::kProgressBar, 0, 771, 740, 16, 0, V, kNoEvent, 0, true},
    {0x16010634, "\xCD\xA8\xD3\xC3\xB6\xD4\xBB\xB0\xBF\xF2\x31", class_id::kCommonDialog, 576, 80, 48, 48, 0, V,
     kNoEvent, 0, true},
};

class MainWindowSegmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto read = readTemplateSegment(mw::templateSegment());
        ASSERT_TRUE(read);
        segment_ = std::move(*read);
        ASSERT_EQ(segment_.templates.size(), 1u);
    }

    const ComponentTable& table() const { return segment_.templates[0].table; }

    ComponentRecord record(std::uint32_t id) const {
        const auto found = table().findRecord(id);
        EXPECT_TRUE(found) << std::hex << id;
        return *ComponentRecord::parse(found->record);
    }

    TemplateSegment segment_;
};

TEST_F(MainWindowSegmentTest, OneWindowWithThirtyFourEntries) {
    EXPECT_EQ(segment_.windowIds, (std::vector<std::uint32_t>{0x52010001}));
    const WindowTemplate& window = segment_.templates[0];
    EXPECT_EQ(window.unitWord1, 0u);
    EXPECT_EQ(window.unitWord2, 0x19010002u);
    EXPECT_TRUE(window.unitName.empty());
    EXPECT_TRUE(window.unitComment.empty());
    EXPECT_EQ(table().count(), 34u);
    EXPECT_EQ(mw::kWindowId, 0x52010001u);
    EXPECT_EQ(mw::kWindowEntryId, 0x06010000u);
    EXPECT_EQ(mw::kEntryCount, 34u);
    EXPECT_EQ(mw::kLastIdSerial, 0x010634u);
}

TEST_F(MainWindowSegmentTest, EveryEntryAsDefined) {
    ASSERT_EQ(std::size(kEntries), table().count());
    for (std::size_t i = 0; i < table().count(); ++i) {
        const Expected& e = kEntries[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(table().idAt(i), e.id);
        const auto r = ComponentRecord::parse(*table().recordAt(i));
        ASSERT_TRUE(r);
        EXPECT_EQ(r->name, e.name);
        EXPECT_EQ(r->classId, e.classId);
        EXPECT_EQ(r->eventLink, 0u);
        EXPECT_EQ(r->left, e.left);
        EXPECT_EQ(r->top, e.top);
        EXPECT_EQ(r->width, e.width);
        EXPECT_EQ(r->height, e.height);
        EXPECT_EQ(r->parentId, e.parent);
        EXPECT_EQ(r->flags, e.flags);
        EXPECT_TRUE(r->mousePointer.empty());
        EXPECT_TRUE(r->tag.empty());
        EXPECT_TRUE(r->comment.empty());
        if (e.event == kNoEvent) {
            EXPECT_EQ(r->bindingCount, 0u);
        } else {
            // The window alone also answers whether it may close.
            ASSERT_EQ(r->bindingCount, i == 0 ? 2u : 1u);
            EXPECT_EQ(r->binding(0).event, e.event);
            EXPECT_EQ(r->binding(0).handler, e.handlerIndex * mw::kHandlerStride);
        }
        EXPECT_EQ(r->classDataLength() == 0, e.emptyClassData);
        if (i != 24) {
            EXPECT_EQ(r->childCount, 0u);
        }
    }
}

TEST_F(MainWindowSegmentTest, WindowAsksTheApplicationBeforeItCloses) {
    const ComponentRecord window = record(0x06010000);
    ASSERT_EQ(window.bindingCount, 2u);
    EXPECT_EQ(window.binding(1).event, 12);
    EXPECT_EQ(window.binding(1).handler, h(Handler::onWindowQueryClose) * mw::kHandlerStride);
}

TEST_F(MainWindowSegmentTest, GroupBoxListsItsSevenChildrenInOrder) {
    ASSERT_EQ(table().idAt(24), kBox);
    const ComponentRecord box = record(kBox);
    EXPECT_EQ(box.childIds(),
              (std::vector<std::uint32_t>{mw::component::按钮_清空显示, mw::component::时钟_接收数据,
                                          mw::component::按钮_开关端口, mw::component::组合框_波特率,
                                          mw::component::标签2, mw::component::组合框_串口, mw::component::标签1}));
    for (std::size_t i = 25; i <= 31; ++i) EXPECT_EQ(table().idAt(i), box.childId(i - 25));
}

TEST_F(MainWindowSegmentTest, HeaderConstantsMatchTheTable) {
    EXPECT_EQ(mw::component::编辑框_显示, 0x16010614u);
    EXPECT_EQ(table().indexOf(mw::component::分组框1), 24u);
    EXPECT_EQ(table().indexOf(mw::component::通用对话框1), 33u);
    ASSERT_EQ(mw::kHandlerSlots.size(), mw::kHandlerCount);
    for (std::size_t i = 0; i < mw::kHandlerCount; ++i) EXPECT_EQ(mw::kHandlerSlots[i].offset, i * mw::kHandlerStride);
    EXPECT_STREQ(mw::kHandlerSlots[h(Handler::onWriteModuleClicked)].name, "onWriteModuleClicked");
}

TEST_F(MainWindowSegmentTest, WindowClassData) {
    const auto data = classdata::decode<classdata::WindowData>(record(0x06010000).classData);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->Caption, "Veltrano");
    EXPECT_EQ(data->BorderStyle, 2);
    EXPECT_EQ(data->StartPosition, 1);
    EXPECT_FALSE(data->MaxButton);
    EXPECT_TRUE(data->MinButton);
    EXPECT_TRUE(data->ControlBox);
    EXPECT_TRUE(data->Movable);
    EXPECT_FALSE(data->EscCloses);
    EXPECT_TRUE(data->ShowInTaskbar);
    EXPECT_TRUE(data->BackPicture.empty());
    EXPECT_TRUE(data->BackSound.empty());
    // One 219 x 219 image at 24 bits per pixel, its bitmap height doubled for the mask.
    ASSERT_EQ(data->Icon.size(), 22u + 40u + 660u * 219u + 28u * 219u);
    EXPECT_EQ(data->Icon[4], 1);
    EXPECT_EQ(data->Icon[6], 219);
    EXPECT_EQ(data->Icon[12], 24);
    EXPECT_EQ(data->Icon[22 + 8], 438 & 0xFF);
    EXPECT_EQ(data->Icon[22 + 9], 438 >> 8);
}

TEST_F(MainWindowSegmentTest, ComponentClassData) {
    const auto log = classdata::decode<classdata::EditBoxData>(record(mw::component::编辑框_显示).classData);
    ASSERT_TRUE(log);
    EXPECT_EQ(log->BorderStyle, 5);
    EXPECT_TRUE(log->MultiLine);
    EXPECT_EQ(log->ScrollBars, 2);
    EXPECT_TRUE(log->Text.empty());

    const auto rate = classdata::decode<classdata::EditBoxData>(record(mw::component::编辑框_功放波特率).classData);
    ASSERT_TRUE(rate);
    EXPECT_EQ(rate->BorderStyle, 1);
    EXPECT_EQ(rate->InputMode, 3);
    EXPECT_EQ(rate->Text, "9600");

    const auto test = classdata::decode<classdata::ButtonData>(record(mw::component::按钮_测试).classData);
    ASSERT_TRUE(test);
    EXPECT_EQ(test->Caption, "\xB2\xE2\xCA\xD4");
    EXPECT_EQ(test->Alignment, 1);

    const auto label = classdata::decode<classdata::LabelData>(record(mw::component::标签3).classData);
    ASSERT_TRUE(label);
    EXPECT_EQ(label->Caption, "\xCA\xB1\xD0\xF2\xC6\xF7");
    EXPECT_EQ(label->BorderStyle, 0);

    const auto box = classdata::decode<classdata::GroupBoxData>(record(kBox).classData);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Caption, "COM");

    const auto grid = classdata::decode<classdata::GridDesignData>(record(mw::component::高级表格1).classData);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->rowCount, 97);
    EXPECT_EQ(grid->columnCount, 3);
    EXPECT_EQ(grid->fixedRowCount, 1);
    EXPECT_EQ(grid->fixedColumnCount, 2);
    EXPECT_EQ(grid->rowHeight, 24);
    EXPECT_EQ(grid->columnWidth, 200);
    EXPECT_EQ(grid->gridLineColor, 0u);
    EXPECT_EQ(grid->focusCellColor, 0xFFu);
    EXPECT_FALSE(grid->rowsResizable);
    EXPECT_FALSE(grid->selectionAllowed);
    EXPECT_EQ(grid->enterMode, 3);
    EXPECT_EQ(grid->selectionBackColor, 0x00D77800u);
    EXPECT_FALSE(grid->showZeroValues);
    EXPECT_EQ(grid->gridLineWidth, 1);
    EXPECT_EQ(grid->borderStyle, 1);
}

TEST_F(MainWindowSegmentTest, GridStoresTheSelectionColourWithBitThirtyOne) {
    const auto classData = record(mw::component::高级表格1).classData;
    ASSERT_EQ(classData.size(), 32u * 4u);
    const std::size_t at = 24 * 4;
    const std::uint32_t stored = classData[at] | (classData[at + 1] << 8) | (classData[at + 2] << 16) |
                                 (static_cast<std::uint32_t>(classData[at + 3]) << 24);
    EXPECT_EQ(stored, 0x80D77800u);
}

TEST_F(MainWindowSegmentTest, RelocationPointsBindingsIntoTheHandlerArray) {
    ASSERT_TRUE(relocateHandlers(segment_, 0x00402000));
    const auto timer = record(mw::component::时钟_接收数据);
    EXPECT_EQ(timer.binding(0).handler, 0x00402000u + h(Handler::onReceiveTimerTick) * 4);
    EXPECT_EQ(record(0x06010000).binding(0).handler, 0x00402000u);
}

TEST_F(MainWindowSegmentTest, EveryTruncationFails) {
    const auto bytes = mw::templateSegment();
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        ASSERT_FALSE(readTemplateSegment(bytes.first(length))) << length;
    }
}

}  // namespace
}  // namespace veltrano
