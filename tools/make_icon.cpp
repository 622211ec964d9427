// Writes the program's icon file. From the repository root:
//   g++ -std=c++17 -I. tools/make_icon.cpp tools/icon_image.cpp -o /tmp/make_icon
//   /tmp/make_icon app/res/dovane_clip.ico
#include <cstdio>
#include <fstream>

#include "tools/icon_image.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
    return 2;
  }
  const std::vector<unsigned char> bytes = make_icon_file();
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
