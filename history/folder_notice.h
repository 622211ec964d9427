// What the platform tells of changes to one file, from a watch on its folder: names
// made, removed or renamed, and contents written. A file nobody touched then needs no
// look at its name.
#pragma once
#include <memory>

class folder_notice {
 public:
  folder_notice();
  ~folder_notice();
  folder_notice(const folder_notice&) = delete;
  folder_notice& operator=(const folder_notice&) = delete;

  // Starts listening for changes to the file path names, or to every file of the folder
  // when path ends in a separator; false when the platform will not tell, and then every
  // take() reports everything.
  bool listen(const char* path);
  void stop();
  bool listening() const;

  struct news {
    bool name = false;      // the name was made, removed or renamed, or notices were lost
    bool contents = false;  // the contents or the last-write time were written
  };
  // What was told since the last take(), without waiting.
  news take();

  struct state;  // the platform's part

 private:
  std::unique_ptr<state> state_;
};
