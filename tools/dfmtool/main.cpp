// dfmtool: writes a window description's binary component stream from its
// readable text form, and prints a stream back as text.
//
//   dfmtool write DESCRIPTION.txt OUT.bin [NAME=FILE ...]
//       FILE's bytes become the blob NAME, referenced in the text as {@NAME}.
//   dfmtool print IN.bin

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "stream/dfm_binary.h"
#include "stream/dfm_text.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

int Write(int argc, char** argv) {
  if (argc < 4) return 2;
  std::map<std::string, std::string, std::less<>> blobs;
  for (int i = 4; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) throw std::runtime_error("NAME=FILE expected: " + arg);
    blobs[arg.substr(0, eq)] = arg.substr(eq + 1);
  }
  const std::vector<uint8_t> text = ReadFile(argv[2]);
  auto source = [&](std::string_view name) {
    const auto it = blobs.find(name);
    if (it == blobs.end()) throw std::runtime_error("no file given for blob @" + std::string(name));
    return ReadFile(it->second);
  };
  const ac::dfm::TObjectNode root = ac::dfm::ParseText(
      std::string_view(reinterpret_cast<const char*>(text.data()), text.size()), source);
  WriteFile(argv[3], ac::dfm::WriteBinary(root));
  return 0;
}

int Print(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string text = ac::dfm::WriteText(ac::dfm::ReadBinary(ReadFile(argv[2])));
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  int rc = 2;
  try {
    if (command == "write") rc = Write(argc, argv);
    if (command == "print") rc = Print(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "dfmtool %s: %s\n", command.c_str(), e.what());
    return 1;
  }
  if (rc == 2) {
    std::fputs(
        "usage: dfmtool write DESCRIPTION.txt OUT.bin [NAME=FILE ...]\n"
        "       dfmtool print IN.bin\n",
        stderr);
  }
  return rc;
}
