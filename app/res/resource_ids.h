// Identifiers shared by the resource script and the C++ code. Plain #defines so that
// windres can read this file too.
#ifndef DOVANE_CLIP_APP_RES_RESOURCE_IDS_H
#define DOVANE_CLIP_APP_RES_RESOURCE_IDS_H

// Icon group of the window class and the tray.
#define IDI_DOVANE_CLIP 103

// The built-in readme.txt.
#define IDR_README 130

// Version dialog; the other two dialogs are found by name ("SPDLG", "TAGLINK").
#define DLG_VERSION 121

// Main menu bar, top level.
#define CMD_NEW_NOTE 40018
#define CMD_SEARCH 40017
#define CMD_BAR_BLANK 40034

// "ファイル", and the same commands again in "メニュー".
#define CMD_OPEN_FILE 40003
#define CMD_SPECIAL 40015
#define CMD_RECYCLE 40035
#define CMD_RESET 104
#define CMD_NOTEPAD 40021
#define CMD_END 40005

// "クリップ" › "S 登録": register the clip in drawer 0-9.
#define CMD_REGISTER_0 41000
#define CMD_REGISTER_1 41001
#define CMD_REGISTER_2 41002
#define CMD_REGISTER_3 41003
#define CMD_REGISTER_4 41004
#define CMD_REGISTER_5 41005
#define CMD_REGISTER_6 41006
#define CMD_REGISTER_7 41007
#define CMD_REGISTER_8 41008
#define CMD_REGISTER_9 41009

// "クリップ" › "S ブロック変更": blocks い ろ は に ほ.
#define CMD_BLOCK_I 40100
#define CMD_BLOCK_RO 40101
#define CMD_BLOCK_HA 40102
#define CMD_BLOCK_NI 40103
#define CMD_BLOCK_HO 40104

// "クリップ" › "リンクタグ".
#define CMD_MAKE_LINK_TAG 40056
#define CMD_CLEAR_LINK_TAG_FILE 40059
#define CMD_LINK_TAG_BLANK 40058

// "クリップ" › "日時".
#define CMD_STAMP_DATE 40038
#define CMD_STAMP_TIME 40039

// What the popup menu shows: "ポップアップ変更", "メニュー", ">標準" in "一時歴" and "S 引出".
#define CMD_POPUP_RING 40050
#define CMD_POPUP_STANDARD 40051
#define CMD_POPUP_ALL 40052
#define CMD_POPUP_DRAWERS 40053

// "クリップ" › "メニュー".
#define CMD_MENU_RESET 40055
#define CMD_SAVE_HISTORY_OFF 40045
#define CMD_SAVE_HISTORY_ON 40046
#define CMD_EDIT_SPECIAL 40054
#define CMD_OPEN_WINDOW 40043
#define CMD_CLOSE_WINDOW 40044
#define CMD_SHORTCUT_SETTINGS 40060
#define CMD_START_AT_SIGN_IN 40062

// "表示歴".
#define CMD_BACK 40009
#define CMD_FORWARD 40010
// "検索窓...": also in the clip menu, and Ctrl+F.
#define CMD_FIND_WINDOW 40061
// "この記録を消す": the record on show leaves every file that keeps clips.
#define CMD_FORGET_RECORD 40063
// "クリップ" › "メニュー" › "履歴をすべて消す".
#define CMD_CLEAR_HISTORY 40064

// "環境".
#define CMD_COLOR 101
#define CMD_FONT_RESET 40026
#define CMD_FONT_SMALLER 40025
#define CMD_FONT_LARGER 40024
#define CMD_ADD_TEST 40006

// "ヘルプ".
#define CMD_README 40013
#define CMD_TEMP_FOLDER 103
#define CMD_VERSION 111
#define CMD_SEARCH_AREA_LABEL 40041
// No menu item carries it; it opens the version dialog like CMD_VERSION.
#define CMD_VERSION_ALIAS 902

// "変換".
#define CMD_DECODE_MAIL 40047
#define CMD_TO_JIS 40048
#define CMD_TO_SJIS 40049

// Note window menu "edit_j" (besides CMD_NEW_NOTE, the file commands and the help ones).
#define CMD_ERASE 40004
#define CMD_MAIN_WINDOW 40020
#define CMD_SAVE_TO_CLIPBOARD 106
#define CMD_SAVE_TO_SPECIAL 40016
#define CMD_FROM_CLIPBOARD 40002
#define CMD_SET_SEARCH 108

// Affix window menus "start_j" and "end_j": disabled items that serve as labels.
#define CMD_START_LABEL 40031
#define CMD_END_LABEL 40032

// Ctrl+X; no menu item shows it.
#define CMD_CUT 40001

// Drawer editor "SPDLG" (besides IDOK and IDCANCEL).
#define IDC_SP_TEXT 1003
#define IDC_SP_NEXT_RECORD 1004
#define IDC_SP_PREV_RECORD 1005
#define IDC_SP_INDEX 1006
#define IDC_SP_DRAWER 1007
#define IDC_SP_DELETE 1009
#define IDC_SP_PASTE 1010
#define IDC_SP_GENRE 1012
#define IDC_SP_SAVE 1013
#define IDC_SP_SAVE_GENRE 1014
#define IDC_SP_NEXT_GENRE 1015
#define IDC_SP_BLOCK 1017
#define IDC_SP_PREV_DRAWER 1018
#define IDC_SP_NEXT_DRAWER 1019
#define IDC_SP_NEXT_BLOCK 1020
#define IDC_SP_PREV_BLOCK 1021

// Shortcut key dialog (besides IDOK and IDCANCEL).
#define DLG_SHORTCUT 122
#define IDC_SHORTCUT_KEY 1101
#define IDC_SHORTCUT_PASTE 1102
#define IDC_SHORTCUT_NOTE 1103

#endif
