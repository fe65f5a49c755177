#!/usr/bin/env bash
# Sets up the new Wine prefix WINEPREFIX as the Chinese Windows the checks run on:
# - Wine's own fonts in C:\windows\Fonts: Tahoma, Qt's default GUI font under Wine, and
#   Marlett, which draws the buttons of the window frame. Debian's Wine 8 does not find them in
#   /usr/share/wine/fonts by itself in a new 64-bit prefix; Qt would take the first family it
#   knows instead, a serif.
# - WenQuanYi Micro Hei (fonts-wqy-microhei) beside them, standing in for the Chinese fonts of
#   Windows' user interface (微软雅黑, 宋体, 黑体), so that the window's 微软雅黑 is a CJK font.
# - Window frames drawn by Wine itself: on Xvfb there is no window manager to draw them.
set -euo pipefail
: "${WINEPREFIX:?the Wine prefix to set up}"
fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
ln -sf /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/"
ln -sf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$fonts/"
# The names pass through the Unix locale to Wine: a UTF-8 one keeps them whole.
export LC_ALL=C.UTF-8
for name in "Microsoft YaHei" "Microsoft YaHei UI" "微软雅黑" "SimSun" "宋体" "NSimSun" \
    "新宋体" "SimHei" "黑体"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /t REG_SZ \
        /d "WenQuanYi Micro Hei" /f </dev/null >/dev/null 2>&1
done
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f \
    </dev/null >/dev/null 2>&1
