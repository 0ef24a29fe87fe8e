// Writes the man page from the program's own help text, so the two never
// drift apart: gen_man_page OUT.1
#include <fstream>
#include <iostream>

#include "settings/command_line.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: gen_man_page OUT.1\n";
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << vantrel::ManPage();
  out.close();
  if (!out) {
    std::cerr << "gen_man_page: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
