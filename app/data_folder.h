// Every state file is named relative to the data folder, the current directory at
// start-up. The open-file dialog moves the current directory while the user browses
// (also on the platform itself), and a clip copied meanwhile must still be stored there.
#pragma once
#include <string>

// Remembers the current directory as the data folder.
void remember_data_folder();

// Marks the time the open-file dialog is up, the only time the directory can move; the
// data folder is current again when it ends, wherever the dialog left the directory.
class folder_may_move {
 public:
  folder_may_move();
  ~folder_may_move();
  folder_may_move(const folder_may_move&) = delete;
  folder_may_move& operator=(const folder_may_move&) = delete;
};

// Holds the data folder as the current directory for its lifetime, then puts back the
// directory it found; nothing at all while no dialog can have moved it.
class in_data_folder {
 public:
  in_data_folder();
  ~in_data_folder();
  in_data_folder(const in_data_folder&) = delete;
  in_data_folder& operator=(const in_data_folder&) = delete;

 private:
  bool moved_;
  std::wstring found_;
};
