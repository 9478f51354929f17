// The desktop's font names, mapped onto faces that a Debian system has.
//
// The program asks for "宋体" for its preview text and its dialogs ask for
// "MS Shell Dlg". Left alone, fontconfig answers both with its last-resort
// Latin face, which has no Chinese glyphs at all. The aliases below put
// CJK-capable faces first for those names. They take the binding of the name
// they stand for: strong for a name the program asked for, weak where the
// name is itself one of fontconfig's last-resort substitutes (the system
// lists "Tahoma" among them). That keeps the face lookup (FaceResolver.cpp)
// able to tell a real alias from a last resort.

#include "platform/text/FontAliases.h"

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <mutex>

namespace {

constexpr char kAliases[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <!-- Rules apply in order, so the other names become the two root names
       before the root names are expanded. -->
  <alias binding="same"><family>SimSun</family><prefer><family>宋体</family></prefer></alias>
  <alias binding="same"><family>新宋体</family><prefer><family>宋体</family></prefer></alias>
  <alias binding="same"><family>NSimSun</family><prefer><family>宋体</family></prefer></alias>
  <alias binding="same"><family>MS Shell Dlg 2</family><prefer><family>MS Shell Dlg</family></prefer></alias>
  <alias binding="same"><family>微软雅黑</family><prefer><family>MS Shell Dlg</family></prefer></alias>
  <alias binding="same"><family>Microsoft YaHei</family><prefer><family>MS Shell Dlg</family></prefer></alias>
  <alias binding="same"><family>Tahoma</family><prefer><family>MS Shell Dlg</family></prefer></alias>

  <!-- Song (Ming) style serif names: a Song face first, any CJK face last. -->
  <alias binding="same">
    <family>宋体</family>
    <prefer>
      <family>AR PL UMing CN</family>
      <family>AR PL UMing TW</family>
      <family>AR PL SungtiL GB</family>
      <family>Noto Serif CJK SC</family>
      <family>Source Han Serif SC</family>
      <family>WenQuanYi Micro Hei</family>
      <family>Noto Sans CJK SC</family>
    </prefer>
  </alias>

  <!-- The dialog and user-interface sans names: a CJK-capable sans face. -->
  <alias binding="same">
    <family>MS Shell Dlg</family>
    <prefer>
      <family>WenQuanYi Micro Hei</family>
      <family>Noto Sans CJK SC</family>
      <family>Source Han Sans SC</family>
      <family>WenQuanYi Zen Hei</family>
      <family>Droid Sans Fallback</family>
    </prefer>
  </alias>
</fontconfig>
)";

} // namespace

namespace text {

void LoadFontAliases()
{
    // Loading twice would only repeat the same rules; GDI+ start-ups after
    // a shutdown, and GDI fonts, keep the first load.
    static std::once_flag once;
    std::call_once(once, [] {
        FcConfig* config = FcConfigGetCurrent();
        if (!config || !FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kAliases), FcTrue)) {
            std::fprintf(stderr, "inkveil: could not load the font aliases\n");
            return;
        }
        FcConfigBuildFonts(config);
    });
}

} // namespace text
