#include "settings/ui_texts.h"

const char* main_menu_name = "";
const char* start_menu_name = "";
const char* end_menu_name = "";
const char* note_menu_name = "";
const char* open_dialog_title = "";
const char* title_label = "";
const char* start_label = "";
const char* start_on_label = "";
const char* end_label = "";
const char* end_on_label = "";
const char* reset_label = "";
const char* clip_edit_text = "";
const char* search_edit_text = "";

void set_ui_texts() {
  main_menu_name = "dovane_clip_j";
  start_menu_name = "start_j";
  end_menu_name = "end_j";
  note_menu_name = "edit_j";
  open_dialog_title = "開きます";
  title_label = "どばね";
  start_label = "前略";
  start_on_label = "前略オン";
  end_label = "早々";
  end_on_label = "早々オン";
  reset_label = "リセット";
  clip_edit_text = "クリップ[どばね]";
  search_edit_text = "検索[どばね]";
}
