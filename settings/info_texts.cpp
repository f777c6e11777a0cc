#include "settings/info_texts.h"

#include "core/bounded_format.h"
#include "core/command_ids.h"
#include "settings/lenient_number.h"

namespace lumeno {

const wchar_t kPreferencesCaption[] = L"偏好设置";
const wchar_t kPreferencesText[] =
    L"偏好设置\n\n• 显示边线: K\n• 显示材质: M\n• 光照: G\n• 阴影: S\n• 旋转灵敏度: 0.1~5.0\n\n"
    L"设置已保存到 Tessary.ini";
const wchar_t kShortcutsCaption[] = L"快捷键";
const wchar_t kShortcutsText[] =
    L"快捷键设置\n\nO - 打开模型\nF - 适配窗口\nK - 边线\nM - 材质\nG - 光照\nS - 阴影\n"
    L"H - 反转阴影\nT - 测距\nA - 测面积\nL - 锁定视角\nP - 性能模式\nF8 - 透视/正交\n"
    L"1/2/3/4 - 视口布局\nTab - 下一场景页\n"
    L"行走模式 - WASD 移动，鼠标看向，Tab 切换自由穿行/贴地行走/碰撞漫游，Esc 退出";
const wchar_t kAboutCaption[] = L"关于";

std::wstring about_text() {
  static const wchar_t* const kLines[] = {L"Lumeno",
                                          L"版本 2.0",
                                          L"",
                                          L"作者：Harrow",
                                          L"",
                                          L"基于 SketchUp Desktop SDK",
                                          L"支持 .skp / .3dm 文件快速查看",
                                          L"",
                                          L"功能特性：",
                                          L"• 多视口分屏（1/2/3/4）",
                                          L"• 测距与测面积",
                                          L"• 场景页切换",
                                          L"• 图层显示/隐藏",
                                          L"• 行走模式（WASD + 鼠标视角）",
                                          L"• 边线、材质、光照控制",
                                          L"• 透视/正交切换",
                                          L"• 缩放穿透、性能模式",
                                          L"• 视角锁定",
                                          L""};
  std::wstring text;
  for (const wchar_t* line : kLines) {
    text += line;
    text += L'\n';
  }
  return text + L"官网: " + kProductWebSite;
}

const wchar_t kViewAngleCaption[] = L"视角";
const wchar_t kViewAngleFailedText[] = L"无法打开视角设置窗口。";

float clamp_view_angle(double typed) { return clamp_setting(typed, kViewAngleMin, kViewAngleMax); }

std::wstring view_angle_toast(float fov) {
  wchar_t buffer[96] = {};
  format_bounded(buffer, 96, L"视角：%.2f 度", static_cast<double>(fov));
  return buffer;
}

std::wstring view_angle_edit_text(float fov) {
  wchar_t buffer[64] = {};
  format_bounded(buffer, 64, L"%.2f", static_cast<double>(fov));
  return buffer;
}

}  // namespace lumeno
