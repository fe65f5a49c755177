// The texts the triggers show to the user, each in a message box titled "蓝禾自动关机".
#pragma once

#include <string_view>

inline constexpr std::string_view kApplicationTitle = "蓝禾自动关机";
inline constexpr std::string_view kChooseActionMessage = "请选择执行内容！";
inline constexpr std::string_view kArmedMessage = "设置成功!";
inline constexpr std::string_view kNoSuchProcessMessage = "当前没有该进程，请重新输入！";
inline constexpr std::string_view kCannotStartPrefix = "无法执行：";
inline constexpr std::string_view kNotADateTimeMessage = "!请输入正确的时间!";
inline constexpr std::string_view kNotLaterThanNowMessage = "请输入正确的时间!";
inline constexpr std::string_view kMissedTargetMessage = "已错过设定时间，未执行所选操作！";
inline constexpr std::string_view kNotAValidNumberMessage = "请输入正确的数值!";
