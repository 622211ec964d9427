#include "app/forget_commands.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/affixes.h"
#include "app/app_state.h"
#include "app/find_window.h"
#include "app/forget_worker.h"
#include "app/status_note.h"
#include "app/tray_icon.h"
#include "app/ui_text.h"
#include "drawers/drawer_names.h"
#include "drawers/genre_list.h"
#include "history/clip_originals.h"
#include "history/clipboard_text.h"
#include "history/forget_history.h"
#include "history/history_streams.h"
#include "history/record_file.h"

namespace {
const char question_title[] = "dovane_clip";

// Asked in UTF-16, so the question reads the same whatever the system's code page.
bool agrees(HWND owner, const char* question, UINT buttons) {
  return MessageBoxW(owner, wide_from_sjis(question).c_str(), wide_from_sjis(question_title).c_str(), buttons) ==
         IDYES;
}

// Whether a drawer of any genre holds text as a record: its original stays with it.
bool drawers_hold(const char* text) {
  std::vector<std::string> genres{genre_name};
  for (int number = 1; number <= genre_count; ++number) genres.emplace_back(genre_name_of(number));
  for (const std::string& genre : genres)
    for (int block = 0; block < block_count; ++block)
      for (int drawer = 0; drawer < drawer_count; ++drawer) {
        record_cut cut;
        if (find_text_records(genre_drawer_file_name(genre.c_str(), block, drawer).c_str(), text, cut) &&
            !cut.removed.empty())
          return true;
      }
  return false;
}

// The clipboard keeps the text until it is emptied. It is read as a capture reads it, so
// that a Unicode copy is known under any code page and the program's own output in its
// affixes too; owned by the main window, the emptying is no clip of its own.
void take_off_clipboard(const std::string& text) {
  bool opened = false;
  for (int attempt = 0; attempt < 5 && !opened; ++attempt) {
    opened = OpenClipboard(main_window) != 0;
    if (!opened) Sleep(15);
  }
  if (!opened) return;
  std::unique_ptr<char[]> held(new char[clip_size]);
  held[0] = '\0';
  const clipboard_text read = read_clipboard_text(held.get(), clip_size, true);
  // The reading holds what a capture would keep beside the clip; this is no capture.
  forget_held_original();
  if (read.found && (text == held.get() || (read.wrapped != nullptr && text == read.wrapped))) EmptyClipboard();
  CloseClipboard();
}

// Every place that showed a clip shows what is left.
void show_after(const std::string& text) {
  if (!text.empty()) take_off_clipboard(text);
  set_window_text_sjis(clip_edit, clip_text);
  set_title_from(clip_text);
  tray_icon.set_tip(clip_text, true);
  SetScrollRange(scroll_bar, SB_CTL, 1, history_count > 0 ? history_count : 1, FALSE);
  SetScrollPos(scroll_bar, SB_CTL, current_index, TRUE);
  InvalidateRect(main_window, nullptr, TRUE);
}

// A failure has been told by the save notice, which names the file.
void tell(const forget_report& report, const char* done_format) {
  if (!report.whole) return;
  char note[status_note_size];
  std::snprintf(note, sizeof note, done_format, report.records, report.files);
  set_status_note(note);
}

// On the program's thread, once the files' copies are written.
void finish_on_show(forget_work& work, const kept_files& files) {
  const std::string forgotten = work.text;
  find_window_close_files();
  const forget_report report = finish_forget_clip(work, files, drawers_hold(work.text.c_str()));
  find_window_read_again();
  show_after(forgotten);
  tell(report, "%d 件の記録を %d 個のファイルから消しました");
}
}  // namespace

void forget_and_show(const char* text) {
  if (forget_in_background(text, data_folder_kept_files(), finish_on_show))
    set_status_note("消しています...");
  else
    set_status_note("前の記録を消し終わるまでお待ちください");
}

bool ask_and_forget(HWND owner, const char* text) {
  if (text[0] == '\0') return false;
  const std::string forgotten = text;
  std::string question = "この記録を履歴から消しますか";
  if (drawers_hold(text)) question += "\r\n\r\n引出にも同じ文があります。引出の文は消えません。";
  if (!agrees(owner, question.c_str(), MB_YESNO | MB_DEFBUTTON1 | MB_ICONQUESTION)) return false;
  forget_and_show(forgotten.c_str());
  return true;
}

void forget_record_on_show() {
  if (current_index < 1 || current_index > history_count || clip_text[0] == '\0') {
    set_status_note("消す記録がありません");
    return;
  }
  ask_and_forget(main_window, clip_text);
}

void clear_and_show() {
  if (forgetting()) {
    set_status_note("前の記録を消し終わるまでお待ちください");
    return;
  }
  find_window_close_files();
  const forget_report report = clear_history();
  find_window_read_again();
  show_after("");
  if (report.whole) set_status_note("履歴をすべて消しました");
}

void clear_history_asked() {
  const char question[] = "履歴をすべて消しますか\r\n\r\n（引出と設定は残ります）";
  if (agrees(main_window, question, MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING)) clear_and_show();
}
