#include "support/Files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

std::string ReadFileBytes(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

bool FileExists(const std::string& name) {
  std::error_code ignored;
  return std::filesystem::exists(name, ignored);
}

void WriteFileBytes(const std::string& name, const std::string& bytes) {
  std::ofstream file(name, std::ios::binary | std::ios::trunc);
  file << bytes;
}
