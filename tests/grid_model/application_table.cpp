#include "application_table.h"

#include <stdexcept>
#include <vector>

#include "grid/model/grid_commands.h"
#include "tools/veltrano_table/gbk_text.h"

namespace veltrano::grid::testing {
namespace {

struct DeviceGroup {
    std::int32_t top;
    std::int32_t bottom;
    const char8_t* name;
    std::vector<const char8_t*> keys;
};

std::vector<DeviceGroup> deviceGroups() {
    return {
        {1,
         16,
         u8"时序器",
         {u8"通道1开=", u8"通道1关=", u8"通道2开=", u8"通道2关=", u8"通道3开=", u8"通道3关=", u8"通道4开=",
          u8"通道4关=", u8"通道5开=", u8"通道5关=", u8"通道6开=", u8"通道6关=", u8"通道7开=", u8"通道7关=",
          u8"通道8开=", u8"通道8关="}},
        {17, 23, u8"投影仪", {u8"投影机开=", u8"投影机关=", u8"VGA1=", u8"VGA2=", u8"HDMI1=", u8"HDMI2=", u8"HOME="}},
        {24, 45, u8"播放器", {u8"播放器开=", u8"播放器关=", u8"上=",   u8"下=",   u8"左=",   u8"右=",
                              u8"OK=",       u8"返回=",     u8"主页=", u8"菜单=", u8"字幕=", u8"音轨=",
                              u8"音量+=",    u8"音量-=",    u8"静音=", u8"快进=", u8"快退=", u8"上一曲=",
                              u8"下一曲=",   u8"播放=",     u8"暂停=", u8"停止="}},
        {46, 66, u8"功放", {u8"功放开=", u8"功放关=", u8"movie=", u8"music=", u8"game=",  u8"TV=",    u8"computer=",
                            u8"golf=",   u8"HDMI1=",  u8"HDMI2=", u8"上=",    u8"下=",    u8"左=",    u8"右=",
                            u8"OK=",     u8"返回=",   u8"主页=",  u8"菜单=",  u8"音量+=", u8"音量-=", u8"静音="}},
        {67,
         78,
         u8"扩展区",
         {u8"自定义1", u8"自定义2", u8"自定义3", u8"自定义4", u8"自定义5", u8"自定义6", u8"自定义7", u8"自定义8",
          u8"自定义9", u8"自定义10", u8"自定义11", u8"自定义12"}},
    };
}

constexpr std::int32_t kTextKind = 1;
constexpr std::int32_t kCentred = 2;

}  // namespace

std::string gbk(const char8_t* utf8) {
    const std::u8string_view view(utf8);
    const auto converted = tools::utf8ToGbk(std::string_view(reinterpret_cast<const char*>(view.data()), view.size()));
    if (!converted) {
        throw std::runtime_error("text without a code page 936 form");
    }
    return *converted;
}

GridModel makeWindowGrid() {
    GridModel grid;
    grid.setDefaultRowHeight(24);
    grid.setDefaultColumnWidth(60);
    grid.setRowCount(5);
    grid.setColumnCount(3);
    grid.setFixedRowCount(1);
    grid.setFixedColumnCount(2);
    return grid;
}

void buildApplicationTable(GridModel& grid, PictureCodec& codec) {
    GridCommands commands(grid, codec);
    grid.setRowCount(79);
    commands.setColumnWidth(0, 60);
    commands.setColumnWidth(1, 80);
    commands.setColumnWidth(2, 570);
    commands.setAlignment(0, 0, 0, 3, kCentred);
    commands.setAlignment(0, 0, 78, 1, kCentred);
    commands.setCellData(0, 0, kTextKind, GridValue::text(gbk(u8"设备")));
    commands.setCellData(0, 1, kTextKind, GridValue::text(gbk(u8"功能")));
    commands.setCellData(0, 2, kTextKind, GridValue::text(gbk(u8"自定义数据")));
    const std::vector<DeviceGroup> groups = deviceGroups();
    for (const DeviceGroup& group : groups) {
        commands.mergeCells(group.top, 0, group.bottom, 0);
        commands.setCellData(group.top, 0, kTextKind, GridValue::text(gbk(group.name)));
    }
    for (const DeviceGroup& group : groups) {
        std::int32_t row = group.top;
        for (const char8_t* key : group.keys) {
            commands.setCellData(row++, 1, kTextKind, GridValue::text(gbk(key)));
        }
    }
}

}  // namespace veltrano::grid::testing
