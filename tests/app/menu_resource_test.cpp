// The menus, accelerators, dialogs and icon linked into the program, read back through
// the same calls the program uses. Every other part finds menus by position, so the tables
// below are checked item by item.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <cstring>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "app/res/resource_ids.h"
#include "dovane_version.h"
#include "tests/win32/app_fixture.h"

namespace {

// ---- menus ----

enum class kind { command, separator, popup, blank };

struct item {
  kind what;
  std::string text;  // Shift_JIS
  UINT id;
  UINT flags;  // MF_GRAYED or MF_DISABLED
  const std::vector<item>* items;
};

item cmd(const char* text, UINT id, UINT flags = 0) { return {kind::command, text, id, flags, nullptr}; }
item sep() { return {kind::separator, "", 0, 0, nullptr}; }
item popup(const char* text, const std::vector<item>* items, UINT flags = 0) {
  return {kind::popup, text, 0, flags, items};
}
// An empty-text item keeps its identifier, but the platform turns it into a separator.
item blank(UINT id) { return {kind::blank, "", id, 0, nullptr}; }

const std::vector<item> one_separator = {sep()};

const std::vector<item> file_popup = {
    cmd("開く\tCtrl+O", CMD_OPEN_FILE),   cmd("スペシャル\tCtrl+S", CMD_SPECIAL),
    cmd("リサイクル\tCtrl+B", CMD_RECYCLE), cmd("リセット\tCtrl+R", CMD_RESET),
    sep(),                                cmd("メモ帳", CMD_NOTEPAD),
    sep(),                                cmd("終了\tCtrl+E", CMD_END),
    sep(),
};

const std::vector<item> drawer_popup = {
    popup("0", &one_separator), popup("1", &one_separator), popup("2", &one_separator),
    popup("3", &one_separator), popup("4", &one_separator), popup("5", &one_separator),
    popup("6", &one_separator), popup("7", &one_separator), popup("8", &one_separator),
    popup("9", &one_separator), sep(),                      cmd(">標準", CMD_POPUP_STANDARD),
};

const std::vector<item> register_popup = {
    cmd("0", CMD_REGISTER_0), cmd("1", CMD_REGISTER_1), cmd("2", CMD_REGISTER_2), cmd("3", CMD_REGISTER_3),
    cmd("4", CMD_REGISTER_4), cmd("5", CMD_REGISTER_5), cmd("6", CMD_REGISTER_6), cmd("7", CMD_REGISTER_7),
    cmd("8", CMD_REGISTER_8), cmd("9", CMD_REGISTER_9),
};

const std::vector<item> block_popup = {
    cmd("い", CMD_BLOCK_I),  cmd("ろ", CMD_BLOCK_RO), cmd("は", CMD_BLOCK_HA),
    cmd("に", CMD_BLOCK_NI), cmd("ほ", CMD_BLOCK_HO),
};

const std::vector<item> link_tag_popup = {
    cmd("作成、保存", CMD_MAKE_LINK_TAG),
    cmd("保存ファイル初期化", CMD_CLEAR_LINK_TAG_FILE),
    blank(CMD_LINK_TAG_BLANK),
};

const std::vector<item> date_popup = {cmd("年月日", CMD_STAMP_DATE), cmd("時間", CMD_STAMP_TIME)};

const std::vector<item> ring_popup = {cmd(">標準", CMD_POPUP_STANDARD), sep()};

const std::vector<item> control_popup = {
    cmd("ポップアップ", CMD_POPUP_DRAWERS, MF_GRAYED),
    cmd(">引出", CMD_POPUP_DRAWERS),
    cmd(">一時歴", CMD_POPUP_RING),
    sep(),
    cmd("メニューリセット", CMD_MENU_RESET),
    sep(),
    cmd("履歴保存しない", CMD_SAVE_HISTORY_OFF),
    cmd("履歴保存する", CMD_SAVE_HISTORY_ON),
    cmd("ファイル変更\tCtrl+O", CMD_OPEN_FILE),
    cmd("スペシャル\tCtrl+S", CMD_SPECIAL),
    cmd("リサイクル\tCtrl+B", CMD_RECYCLE),
    cmd("リセット\tCtrl+R", CMD_RESET),
    cmd("Ｓ編集", CMD_EDIT_SPECIAL),
    sep(),
    cmd("メモ帳", CMD_NOTEPAD),
    sep(),
    cmd("開く", CMD_OPEN_WINDOW),
    cmd("閉じる", CMD_CLOSE_WINDOW),
    cmd("終了\tCtrl+E", CMD_END),
    sep(),
    cmd("ショートカットキー...", CMD_SHORTCUT_SETTINGS),
    cmd("Windows 起動時に開始", CMD_START_AT_SIGN_IN),
    sep(),
    cmd("履歴をすべて消す", CMD_CLEAR_HISTORY),
};

const std::vector<item> clip_popup = {
    popup("歴", &one_separator),
    popup("再", &one_separator),
    sep(),
    popup("S 引出", &drawer_popup),
    popup("S 登録", &register_popup),
    popup("S ブロック変更", &block_popup),
    popup("S ジャンル変更", &one_separator),
    popup("リンクタグ", &link_tag_popup),
    popup("日時", &date_popup),
    sep(),
    popup("一時歴", &ring_popup),
    popup("メニュー", &control_popup),
    cmd("検索窓...", CMD_FIND_WINDOW),
};

const std::vector<item> view_history_popup = {
    cmd("戻す\tCtrl+A", CMD_BACK),
    cmd("進む\tCtrl+V", CMD_FORWARD, MF_GRAYED),
    sep(),
    cmd("検索窓...\tCtrl+F", CMD_FIND_WINDOW),
    sep(),
    cmd("この記録を消す", CMD_FORGET_RECORD),
};

const std::vector<item> environment_popup = {
    cmd("色", CMD_COLOR, MF_GRAYED),
    cmd("フォントリセット", CMD_FONT_RESET),
    cmd("フォント小", CMD_FONT_SMALLER),
    cmd("フォント大", CMD_FONT_LARGER),
    popup("スペシャル", &one_separator),
    cmd("追加", CMD_ADD_TEST, MF_GRAYED),
};

const std::vector<item> help_popup = {
    cmd("read&me\tCtrl+M", CMD_README),
    cmd("テンポラリフォルダ\tCtrl+T", CMD_TEMP_FOLDER),
    sep(),
    cmd("バージョン情報", CMD_VERSION),
    sep(),
    cmd("下は検索文字編集画面", CMD_SEARCH_AREA_LABEL, MF_DISABLED),
};

const std::vector<item> convert_popup = {
    cmd("メール", CMD_DECODE_MAIL),
    cmd("JIS", CMD_TO_JIS),
    cmd("SJIS", CMD_TO_SJIS),
};

const std::vector<item> popup_choice_popup = {
    cmd(">一時歴", CMD_POPUP_RING),
    cmd(">引出", CMD_POPUP_DRAWERS),
    cmd(">標準", CMD_POPUP_STANDARD),
    cmd(">全", CMD_POPUP_ALL, MF_GRAYED),
};

const std::vector<item> main_bar = {
    popup("ファイル", &file_popup),
    popup("クリップ", &clip_popup),
    popup("表示歴", &view_history_popup),
    cmd("落書。", CMD_NEW_NOTE),
    cmd("検索。", CMD_SEARCH),
    popup("環境", &environment_popup, MF_GRAYED),
    popup("ヘルプ", &help_popup),
    blank(CMD_BAR_BLANK),
    popup("変換", &convert_popup),
    popup("ポップアップ変更", &popup_choice_popup),
};

const std::vector<item> note_switch_popup = {
    cmd("消す。", CMD_ERASE),
    cmd("どばねメイン。", CMD_MAIN_WINDOW),
    cmd("あらたな落書。", CMD_NEW_NOTE),
};

const std::vector<item> note_file_popup = {
    cmd("開く\tCtrl+O", CMD_OPEN_FILE), cmd("スペシャル\tCtrl+S", CMD_SPECIAL), cmd("リセット\tCtrl+R", CMD_RESET),
    sep(),                              cmd("終了\tCtrl+E", CMD_END),
};

const std::vector<item> note_save_popup = {
    cmd("クリップボードに。", CMD_SAVE_TO_CLIPBOARD),
    cmd("スペシャルに。", CMD_SAVE_TO_SPECIAL),
};

const std::vector<item> note_environment_popup = {cmd("色", CMD_COLOR)};

const std::vector<item> note_help_popup = {
    cmd("read&me\tCtrl+M", CMD_README, MF_GRAYED),
    cmd("テンポラリフォルダ\tCtrl+T", CMD_TEMP_FOLDER, MF_GRAYED),
    sep(),
    cmd("どばねクリップ", CMD_VERSION, MF_DISABLED),
};

const std::vector<item> note_bar = {
    popup("切り替え", &note_switch_popup),
    popup("ファイル", &note_file_popup, MF_GRAYED),
    popup("保存", &note_save_popup),
    popup("環境", &note_environment_popup, MF_GRAYED),
    cmd("クリップボードから。", CMD_FROM_CLIPBOARD),
    cmd("検索に設定。", CMD_SET_SEARCH),
    popup("ヘルプ", &note_help_popup),
};

const std::vector<item> start_bar = {cmd("前略", CMD_START_LABEL, MF_DISABLED)};
const std::vector<item> end_bar = {cmd("早々", CMD_END_LABEL, MF_DISABLED)};

std::string menu_text(HMENU menu, int position) {
  return menu_string(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

void expect_menu(HMENU menu, const std::vector<item>& expected, const std::string& path) {
  ASSERT_NE(menu, nullptr) << path;
  ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size())) << path;
  const UINT enable_flags = MF_GRAYED | MF_DISABLED;
  for (size_t i = 0; i < expected.size(); ++i) {
    const int position = static_cast<int>(i);
    const item& e = expected[i];
    const std::string where = path + " position " + std::to_string(i);
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    EXPECT_EQ(menu_text(menu, position), e.text) << where;
    switch (e.what) {
      case kind::command:
        EXPECT_EQ(GetMenuItemID(menu, position), e.id) << where;
        EXPECT_EQ(state & (MF_POPUP | MF_SEPARATOR), 0u) << where;
        EXPECT_EQ(state & enable_flags, e.flags) << where;
        break;
      case kind::separator:
        EXPECT_EQ(GetMenuItemID(menu, position), 0u) << where;
        EXPECT_NE(state & MF_SEPARATOR, 0u) << where;
        break;
      case kind::blank:
        EXPECT_EQ(GetMenuItemID(menu, position), e.id) << where;
        EXPECT_EQ(state & MF_POPUP, 0u) << where;
        break;
      case kind::popup:
        EXPECT_EQ(GetMenuItemID(menu, position), static_cast<UINT>(-1)) << where;
        EXPECT_NE(state & MF_POPUP, 0u) << where;
        EXPECT_EQ(state & enable_flags, e.flags) << where;
        EXPECT_EQ(HIBYTE(state), e.items->size()) << where << ": item count in the state";
        expect_menu(GetSubMenu(menu, position), *e.items, where + " \"" + e.text + "\"");
        break;
    }
  }
}

struct loaded_menu {
  const char* name;
  const std::vector<item>* items;
};

void PrintTo(const loaded_menu& m, std::ostream* out) { *out << m.name; }

class menu_resource : public ::testing::TestWithParam<loaded_menu> {};

TEST_P(menu_resource, has_every_position_text_identifier_and_state) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), GetParam().name);
  expect_menu(menu, *GetParam().items, GetParam().name);
  DestroyMenu(menu);
}

INSTANTIATE_TEST_SUITE_P(all, menu_resource,
                         ::testing::Values(loaded_menu{"dovane_clip_j", &main_bar}, loaded_menu{"edit_j", &note_bar},
                                           loaded_menu{"start_j", &start_bar}, loaded_menu{"end_j", &end_bar}),
                         [](const ::testing::TestParamInfo<loaded_menu>& info) { return std::string(info.param.name); });

TEST(menu_names, match_without_regard_to_letter_case) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "DOVANE_CLIP_J");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 10);
  DestroyMenu(menu);
}

// ---- accelerators ----

TEST(accelerators, are_the_control_keys_and_delete) {
  struct key {
    BYTE flags;
    WORD key;
    WORD command;
  };
  const key expected[] = {
      {FVIRTKEY | FCONTROL, 'A', CMD_BACK},       {FVIRTKEY | FCONTROL, 'B', CMD_RECYCLE},
      {FVIRTKEY | FCONTROL, 'C', CMD_FROM_CLIPBOARD}, {FVIRTKEY | FCONTROL, 'E', CMD_END},
      {FVIRTKEY | FCONTROL, 'F', CMD_FIND_WINDOW},
      {FVIRTKEY | FCONTROL, 'M', CMD_README},     {FVIRTKEY | FCONTROL, 'O', CMD_OPEN_FILE},
      {FVIRTKEY | FCONTROL, 'R', CMD_RESET},      {FVIRTKEY | FCONTROL, 'S', CMD_SPECIAL},
      {FVIRTKEY | FCONTROL, 'T', CMD_TEMP_FOLDER}, {FVIRTKEY, VK_DELETE, CMD_ERASE},
      {FVIRTKEY | FCONTROL, 'X', CMD_CUT},
  };
  HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "dovane_clip");
  ASSERT_NE(table, nullptr);
  ACCEL entries[32];
  const int count = CopyAcceleratorTableA(table, entries, 32);
  ASSERT_EQ(count, static_cast<int>(std::size(expected)));
  for (int i = 0; i < count; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(static_cast<int>(entries[i].fVirt), static_cast<int>(expected[i].flags));
    EXPECT_EQ(entries[i].key, expected[i].key);
    EXPECT_EQ(entries[i].cmd, expected[i].command);
  }
  for (int i = 0; i < count; ++i) EXPECT_NE(entries[i].key, 'V') << "Ctrl+V has no accelerator";
  DestroyAcceleratorTable(table);
}

// ---- dialogs ----

std::string to_sjis(const std::wstring& text) {
  if (text.empty()) return "";
  const int size = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
  return out;
}

// Reads the words of a dialog template in order.
class template_reader {
 public:
  explicit template_reader(const BYTE* start) : start_(start), at_(start) {}
  WORD word() {
    WORD v;
    std::memcpy(&v, at_, sizeof v);
    at_ += sizeof v;
    return v;
  }
  DWORD dword() {
    const DWORD low = word();
    return low | static_cast<DWORD>(word()) << 16;
  }
  short coordinate() { return static_cast<short>(word()); }
  BYTE byte() { return *at_++; }
  std::wstring text() {
    std::wstring s;
    for (WORD c = word(); c != 0; c = word()) s.push_back(static_cast<wchar_t>(c));
    return s;
  }
  // A name field: nothing, an ordinal after 0xFFFF, or a string.
  std::string name_or_ordinal() {
    WORD first;
    std::memcpy(&first, at_, sizeof first);
    if (first == 0) {
      word();
      return "";
    }
    if (first == 0xFFFF) {
      word();
      return "#" + std::to_string(word());
    }
    return to_sjis(text());
  }
  void align_dword() {
    while ((at_ - start_) % 4 != 0) ++at_;
  }

 private:
  const BYTE* start_;
  const BYTE* at_;
};

struct control {
  int id;
  std::string window_class;
  std::string text;
  DWORD style;
  short x, y, cx, cy;
};

struct dialog {
  bool extended = false;
  DWORD style = 0, ex_style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::string menu, window_class, title;
  WORD point_size = 0, weight = 0;
  BYTE italic = 0, charset = 0;
  std::string face;
  std::vector<control> controls;
};

std::string class_name(const std::string& raw) {
  if (raw == "#128") return "button";
  if (raw == "#129") return "edit";
  if (raw == "#130") return "static";
  std::string lower = raw;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

dialog read_dialog(LPCSTR name) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(5));  // RT_DIALOG
  dialog d;
  if (found == nullptr) {
    ADD_FAILURE() << "dialog resource missing";
    return d;
  }
  template_reader r(static_cast<const BYTE*>(LockResource(LoadResource(module, found))));
  const WORD first = r.word();
  const WORD second = r.word();
  d.extended = first == 1 && second == 0xFFFF;
  if (d.extended) {
    r.dword();  // help id
    d.ex_style = r.dword();
    d.style = r.dword();
  } else {
    d.style = first | static_cast<DWORD>(second) << 16;
    d.ex_style = r.dword();
  }
  const WORD count = r.word();
  d.x = r.coordinate();
  d.y = r.coordinate();
  d.cx = r.coordinate();
  d.cy = r.coordinate();
  d.menu = r.name_or_ordinal();
  d.window_class = r.name_or_ordinal();
  d.title = to_sjis(r.text());
  if (d.style & DS_SETFONT) {
    d.point_size = r.word();
    if (d.extended) {
      d.weight = r.word();
      d.italic = r.byte();
      d.charset = r.byte();
    }
    d.face = to_sjis(r.text());
  }
  for (WORD i = 0; i < count; ++i) {
    r.align_dword();
    control c{};
    if (d.extended) {
      r.dword();  // help id
      r.dword();  // extended style
      c.style = r.dword();
    } else {
      c.style = r.dword();
      r.dword();  // extended style
    }
    c.x = r.coordinate();
    c.y = r.coordinate();
    c.cx = r.coordinate();
    c.cy = r.coordinate();
    c.id = d.extended ? static_cast<int>(r.dword()) : static_cast<short>(r.word());
    c.window_class = class_name(r.name_or_ordinal());
    c.text = r.name_or_ordinal();
    const WORD extra = r.word();
    for (WORD b = 0; b < extra; ++b) r.byte();
    d.controls.push_back(c);
  }
  return d;
}

constexpr DWORD child = WS_CHILD | WS_VISIBLE;
constexpr DWORD modal_style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD number_box = child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_RIGHT;
constexpr DWORD push = child | WS_TABSTOP;

// Template order, which is also the tab order.
const std::vector<control> drawer_editor_controls = {
    {IDOK, "button", "OK", push | BS_DEFPUSHBUTTON, 74, 192, 50, 14},
    {IDCANCEL, "button", "ｷｬﾝｾﾙ", push, 130, 192, 50, 14},
    {IDC_SP_TEXT, "edit", "", child | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN, 7, 78,
     173, 88},
    {IDC_SP_NEXT_RECORD, "button", ">", push, 157, 18, 15, 14},
    {IDC_SP_PREV_RECORD, "button", "<", push, 142, 18, 14, 14},
    {IDC_SP_INDEX, "edit", "", number_box | ES_READONLY, 135, 40, 40, 14},
    {IDC_SP_DRAWER, "edit", "", number_box, 105, 39, 28, 14},
    {-1, "static", "block", child | WS_GROUP, 78, 6, 19, 8},
    {IDC_SP_DELETE, "button", "削除", push, 7, 192, 32, 14},
    {IDC_SP_PASTE, "button", "貼り付け", push | WS_DISABLED, 7, 173, 32, 14},
    {IDC_SP_GENRE, "edit", "", number_box, 8, 28, 36, 14},
    {IDC_SP_SAVE, "button", "保存", push, 74, 172, 48, 14},
    {IDC_SP_SAVE_GENRE, "button", "保存", push, 47, 29, 23, 14},
    {-1, "button", "ジャンル", child | BS_GROUPBOX, 7, 6, 66, 39},
    {IDC_SP_NEXT_GENRE, "button", ">", push, 46, 13, 23, 14},
    {IDC_SP_BLOCK, "edit", "", number_box, 73, 39, 28, 14},
    {IDC_SP_NEXT_DRAWER, "button", ">", push, 120, 18, 15, 14},
    {IDC_SP_PREV_DRAWER, "button", "<", push, 104, 18, 16, 14},
    {IDC_SP_NEXT_BLOCK, "button", ">", push, 89, 18, 15, 14},
    {IDC_SP_PREV_BLOCK, "button", "<", push, 73, 18, 16, 14},
    {-1, "static", "引出", child | WS_GROUP, 107, 6, 15, 8},
    {-1, "static", "index", child | WS_GROUP, 142, 6, 19, 8},
};

const std::vector<control> link_tag_controls = {
    {IDOK, "button", "close", push | BS_DEFPUSHBUTTON, 27, 22, 50, 14},
    {-1, "static", "保存しました", child | SS_CENTER | WS_GROUP, 9, 7, 82, 8},
};

const std::vector<control> version_controls = {
    {-1, "static", "どばねクリップ", child | SS_LEFT | WS_GROUP, 16, 17, 50, 8},
    {-1, "static", "ver" DOVANE_VERSION, child | SS_LEFT | WS_GROUP, 56, 27, 33, 8},
    {-1, "static", "dovane_clip", child | SS_LEFT | WS_GROUP, 16, 27, 38, 8},
    {-1, "static", "2004/3/21", child | SS_LEFT | WS_GROUP, 92, 27, 36, 8},
};

struct dialog_case {
  const char* label;
  LPCSTR name;
  bool extended;
  DWORD style, ex_style;
  short x, y, cx, cy;
  const char* title;
  const std::vector<control>* controls;
};

const dialog_case dialogs[] = {
    {"SPDLG", "SPDLG", false, modal_style, 0, 0, 0, 187, 213, "ﾀﾞｲｱﾛｸﾞ", &drawer_editor_controls},
    {"TAGLINK", "TAGLINK", false, modal_style, 0, 0, 0, 103, 43, "タグ作成", &link_tag_controls},
    {"version", MAKEINTRESOURCEA(DLG_VERSION), true, modal_style | WS_VISIBLE | DS_LOCALEDIT, WS_EX_ACCEPTFILES, 10,
     10, 187, 57, "version", &version_controls},
};

void PrintTo(const dialog_case& d, std::ostream* out) { *out << d.label; }

class dialog_template : public ::testing::TestWithParam<dialog_case> {};

TEST_P(dialog_template, has_its_frame_font_and_every_control_in_tab_order) {
  const dialog_case& e = GetParam();
  const dialog d = read_dialog(e.name);
  EXPECT_EQ(std::make_tuple(d.extended, d.style, d.ex_style, d.x, d.y, d.cx, d.cy),
            std::make_tuple(e.extended, e.style, e.ex_style, e.x, e.y, e.cx, e.cy));
  EXPECT_EQ(d.menu, "");
  EXPECT_EQ(d.window_class, "");
  EXPECT_EQ(d.title, e.title);
  EXPECT_EQ(d.point_size, 9);
  EXPECT_EQ(d.face, "ＭＳ Ｐゴシック");
  if (e.extended) {
    EXPECT_EQ(d.weight, FW_NORMAL);
    EXPECT_EQ(d.italic, 0);
    EXPECT_EQ(d.charset, DEFAULT_CHARSET);
  }
  ASSERT_EQ(d.controls.size(), e.controls->size());
  for (size_t i = 0; i < d.controls.size(); ++i) {
    const control& got = d.controls[i];
    const control& want = (*e.controls)[i];
    SCOPED_TRACE("control " + std::to_string(i) + " \"" + want.text + "\"");
    EXPECT_EQ(std::make_tuple(got.id, got.window_class, got.text, got.style, got.x, got.y, got.cx, got.cy),
              std::make_tuple(want.id, want.window_class, want.text, want.style, want.x, want.y, want.cx, want.cy));
  }
}

INT_PTR CALLBACK passive_dialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_P(dialog_template, creates_its_controls_with_their_texts) {
  const dialog_case& e = GetParam();
  // Made as the program makes its dialogs, as Unicode windows.
  const std::wstring name = IS_INTRESOURCE(e.name) ? std::wstring() : wide_from_sjis(e.name);
  HWND window = CreateDialogParamW(GetModuleHandleW(nullptr),
                                   IS_INTRESOURCE(e.name) ? reinterpret_cast<LPCWSTR>(e.name) : name.c_str(), nullptr,
                                   passive_dialog, 0);
  ASSERT_NE(window, nullptr);
  char text[256];
  EXPECT_EQ(window_text_sjis(window), e.title);
  size_t i = 0;
  for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT), ++i) {
    ASSERT_LT(i, e.controls->size());
    const control& want = (*e.controls)[i];
    SCOPED_TRACE("control " + std::to_string(i) + " \"" + want.text + "\"");
    EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(c)), static_cast<WORD>(want.id));
    GetClassNameA(c, text, sizeof text);
    EXPECT_EQ(class_name(text), want.window_class);
    EXPECT_EQ(window_text_sjis(c), want.text);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(c, GWL_STYLE));
    EXPECT_EQ(style & (WS_TABSTOP | WS_GROUP | WS_DISABLED), want.style & (WS_TABSTOP | WS_GROUP | WS_DISABLED));
  }
  EXPECT_EQ(i, e.controls->size());
  DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(all, dialog_template, ::testing::ValuesIn(dialogs),
                         [](const ::testing::TestParamInfo<dialog_case>& info) {
                           return std::string(info.param.label);
                         });

// ---- icon ----

TEST(icon_group, holds_two_32_pixel_images_and_a_48_pixel_one) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDI_DOVANE_CLIP), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(found, nullptr);
  template_reader r(static_cast<const BYTE*>(LockResource(LoadResource(module, found))));
  EXPECT_EQ(r.word(), 0);
  EXPECT_EQ(r.word(), 1);
  struct entry {
    BYTE width, height, colours;
    WORD bits;
  };
  const entry expected[] = {{32, 32, 16, 4}, {32, 32, 0, 8}, {48, 48, 0, 8}};
  ASSERT_EQ(r.word(), std::size(expected));
  for (const entry& e : expected) {
    EXPECT_EQ(r.byte(), e.width);
    EXPECT_EQ(r.byte(), e.height);
    EXPECT_EQ(r.byte(), e.colours);
    r.byte();
    EXPECT_EQ(r.word(), 1) << "planes";
    EXPECT_EQ(r.word(), e.bits);
    r.dword();  // bytes
    r.word();   // image id
  }
}

TEST(icon_group, loads_at_tray_size) {
  HICON icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DOVANE_CLIP), IMAGE_ICON, 16, 16, 0));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP mask{};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 16);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
}


}  // namespace
