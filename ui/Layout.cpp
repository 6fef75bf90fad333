#include "ui/Layout.h"

namespace velmora::ui {
namespace {

template <auto Member>
Control* member(MainControls& c) {
    return &(c.*Member);
}

constexpr int tab = -1;
// Index of groupConverter in the table below; its four controls lie in it.
constexpr int group = 37;

const std::vector<LayoutItem> table = {
    // "基础设置"
    {"checkAutoStart", Kind::CheckBox, 0, tab, 24, 40, 80, 24, "开机自启", member<&MainControls::checkAutoStart>},
    {"captionLongitude", Kind::Label, 0, tab, 24, 64, 100, 40, "您的经度：", nullptr},
    {"editLongitude", Kind::EditBox, 0, tab, 88, 72, 80, 23, "", member<&MainControls::editLongitude>},
    {"captionLatitude", Kind::Label, 0, tab, 24, 96, 100, 40, "您的纬度：", nullptr},
    {"editLatitude", Kind::EditBox, 0, tab, 88, 104, 80, 23, "", member<&MainControls::editLatitude>},
    {"captionSwitchTime", Kind::Label, 0, tab, 24, 128, 100, 40, "更换时间：", nullptr},
    {"checkFollowSun", Kind::CheckBox, 0, tab, 24, 168, 104, 24, "根据日出日落", member<&MainControls::checkFollowSun>},
    {"checkCustomTime", Kind::CheckBox, 0, tab, 24, 200, 80, 24, "自定义时间", member<&MainControls::checkCustomTime>},
    {"captionLightTime", Kind::Label, 0, tab, 40, 224, 100, 40, "切换白主题时间：", nullptr},
    {"comboLightHour", Kind::List, 0, tab, 144, 232, 48, 20, "", member<&MainControls::comboLightHour>},
    {"captionLightHourUnit", Kind::Label, 0, tab, 200, 224, 32, 40, "时", nullptr},
    {"comboLightMinute", Kind::List, 0, tab, 232, 232, 48, 20, "", member<&MainControls::comboLightMinute>},
    {"captionLightMinuteUnit", Kind::Label, 0, tab, 288, 224, 32, 40, "分", nullptr},
    {"captionDarkTime", Kind::Label, 0, tab, 40, 256, 100, 40, "切换黑主题时间：", nullptr},
    {"comboDarkHour", Kind::List, 0, tab, 144, 264, 48, 20, "", member<&MainControls::comboDarkHour>},
    {"captionDarkHourUnit", Kind::Label, 0, tab, 200, 256, 100, 40, "时", nullptr},
    {"comboDarkMinute", Kind::List, 0, tab, 232, 264, 48, 20, "", member<&MainControls::comboDarkMinute>},
    {"captionDarkMinuteUnit", Kind::Label, 0, tab, 288, 256, 32, 40, "分", nullptr},
    {"buttonSave", Kind::Button, 0, tab, 96, 312, 80, 32, "保存", member<&MainControls::buttonSave>},
    {"buttonHide", Kind::Button, 0, tab, 224, 312, 80, 32, "隐藏", member<&MainControls::buttonHide>},
    {"buttonExit", Kind::Button, 0, tab, 352, 312, 80, 32, "退出", member<&MainControls::buttonExit>},
    // "基础信息"
    {"captionSunrise", Kind::Label, 1, tab, 32, 32, 100, 40, "日出时间：", nullptr},
    {"labelSunrise", Kind::Label, 1, tab, 96, 40, 100, 24, "", member<&MainControls::labelSunrise>},
    {"captionSunset", Kind::Label, 1, tab, 32, 64, 100, 40, "日落时间：", nullptr},
    {"labelSunset", Kind::Label, 1, tab, 96, 72, 100, 24, "", member<&MainControls::labelSunset>},
    {"captionNow", Kind::Label, 1, tab, 32, 96, 100, 40, "当前时间：", nullptr},
    {"labelNow", Kind::Label, 1, tab, 96, 104, 272, 24, "", member<&MainControls::labelNow>},
    // "个性化"
    {"captionChangeMode", Kind::Label, 2, tab, 32, 48, 64, 48, "更换方式：", nullptr},
    {"comboChangeMode", Kind::List, 2, tab, 104, 64, 112, 20, "", member<&MainControls::comboChangeMode>},
    {"captionDayWallpaper", Kind::Label, 2, tab, 32, 96, 72, 40, "白天壁纸：", nullptr},
    {"comboDayWallpaper", Kind::List, 2, tab, 104, 104, 112, 20, "", member<&MainControls::comboDayWallpaper>},
    {"buttonPickDayWallpaper", Kind::Button, 2, tab, 232, 96, 80, 32, "打开文件", member<&MainControls::buttonPickDayWallpaper>},
    {"labelDayWallpaperPath", Kind::Label, 2, tab, 328, 96, 208, 32, "", member<&MainControls::labelDayWallpaperPath>},
    {"captionNightWallpaper", Kind::Label, 2, tab, 32, 136, 72, 40, "夜间壁纸：", nullptr},
    {"comboNightWallpaper", Kind::List, 2, tab, 104, 144, 112, 20, "", member<&MainControls::comboNightWallpaper>},
    {"buttonPickNightWallpaper", Kind::Button, 2, tab, 232, 136, 80, 32, "打开文件", member<&MainControls::buttonPickNightWallpaper>},
    {"labelNightWallpaperPath", Kind::Label, 2, tab, 328, 136, 208, 32, "", member<&MainControls::labelNightWallpaperPath>},
    {"groupConverter", Kind::Group, 2, tab, 24, 240, 480, 96, "图片格式转换器", nullptr},
    {"buttonPickPicture", Kind::Button, 2, group, 384, 16, 80, 32, "选择图片", member<&MainControls::buttonPickPicture>},
    {"buttonPickFolder", Kind::Button, 2, group, 16, 32, 80, 32, "保存目录", member<&MainControls::buttonPickFolder>},
    {"labelConverterFolder", Kind::Label, 2, group, 104, 24, 272, 56, "", member<&MainControls::labelConverterFolder>},
    {"buttonConvert", Kind::Button, 2, group, 384, 56, 80, 32, "转换", member<&MainControls::buttonConvert>},
    // The note lies under the group's top edge; it comes after the group so
    // that it is drawn above the frame.
    {"labelBmpNote", Kind::Label, 2, tab, 24, 176, 424, 84,
     "注意：壁纸图片格式需为bmp格式，可以使用转换器（默认转换到程序运行目录）。", nullptr},
    // "关于"
    {"labelCredits", Kind::Label, 3, tab, 152, 96, 312, 100, "Velmora 1.0：按日出日落自动切换浅色与深色模式", nullptr},
    {"labelAboutNote", Kind::Label, 3, tab, 96, 144, 360, 100, "详见项目说明：", nullptr},
    {"htmlAboutLink", Kind::Link, 3, tab, 192, 176, 256, 48, "Velmora 项目说明（README）", nullptr},
};

}  // namespace

const std::vector<std::string>& pageNames() {
    static const std::vector<std::string> names = {"基础设置", "基础信息", "个性化", "关于"};
    return names;
}

const std::vector<LayoutItem>& mainLayout() { return table; }

const char* aboutLinkTarget() { return "README.md"; }

Placement centredPlacement(int screenWidth, int screenHeight) {
    return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

const std::vector<std::string>& listItems(const LayoutItem& item, MainControls& c) {
    static const std::vector<std::string> none;
    if (item.kind != Kind::List || !item.model) return none;
    return static_cast<ComboList*>(item.model(c))->items();
}

}  // namespace velmora::ui
