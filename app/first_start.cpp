#include "app/first_start.h"

#include "app/app_state.h"
#include "app/res/resource_ids.h"
#include "app/save_notice.h"
#include "app/tray_icon.h"
#include "app/ui_text.h"
#include "settings/settings_values.h"

namespace {
const char start_tip[] = "どばねクリップ 右クリックでメニュー";
// The readme opens with the same lines.
const char welcome[] =
    "どばねクリップが動いています。メニューはこのアイコンの右クリックで。\r\n"
    "履歴保存は今オフ (最新50件だけ)。残すには メニュー→履歴保存する。\r\n"
    "探すときは 検索窓 (右クリックの最後、窓では Ctrl+F)。\r\n"
    "どこでもメニューを出すキー: メニュー→ショートカットキー...";
static_assert(sizeof start_tip <= 64, "the tip field holds 63 bytes");
static_assert(sizeof welcome <= 256, "the balloon field holds 255 bytes");
bool welcome_pending = false;
}  // namespace

bool is_first_start() { return GetFileAttributesW(wide_from_sjis(settings_file_name).c_str()) == INVALID_FILE_ATTRIBUTES; }

void add_tray_icon(HINSTANCE module, bool first_start) {
  HICON icon = LoadIconW(module, MAKEINTRESOURCEW(IDI_DOVANE_CLIP));
  tray_icon.set(main_window, 1, tray_callback_message, icon, start_tip);
  tray_icon.add();
  welcome_pending = first_start;
  show_start_notices();
}

void show_start_notices() {
  if (welcome_pending && tray_icon.show_balloon(welcome, false)) welcome_pending = false;
  // What failed while the window was being made, or while the shell had no icons,
  // could not be told before.
  show_pending_notices();
}
