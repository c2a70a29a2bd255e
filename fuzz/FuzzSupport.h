// What every fuzz target shares: a property check that names the input being replayed, a cursor
// that splits one input into fields, and a scratch folder for the targets that parse files.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace nxui::fuzz {

// Set by the corpus replay so that a failed property names the file.
inline std::string& CurrentInputLabel() {
  static std::string label;
  return label;
}

[[noreturn]] inline void PropertyFailed(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: fuzz property failed: %s (input: %s)\n", file, line, what,
               CurrentInputLabel().empty() ? "fuzzer" : CurrentInputLabel().c_str());
  std::abort();
}

// A property of the code under test; a violation is a finding like a crash.
#define NXUI_FUZZ_REQUIRE(condition) \
  ((condition) ? static_cast<void>(0) : ::nxui::fuzz::PropertyFailed(#condition, __FILE__, __LINE__))

// Takes fields from the front of an input; the rest is the payload. Running out yields empty fields.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  // A field of at most `limit` bytes: its length is the next byte.
  std::string Field(std::size_t limit = 255) {
    std::size_t length = Byte();
    if (length > limit) length = limit;
    if (length > size_) length = size_;
    std::string field(reinterpret_cast<const char*>(data_), length);
    data_ += length;
    size_ -= length;
    return field;
  }
  std::string_view Rest() const { return {reinterpret_cast<const char*>(data_), size_}; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

// A folder of this process for the file-parsing targets, on a RAM file system when there is one
// (the atomic writer's flushes would otherwise bound the rate at the disk's); removed at exit.
inline const std::filesystem::path& ScratchFolder() {
  struct Scratch {
    std::filesystem::path path;
    Scratch() {
      std::error_code error;
      std::filesystem::path base = "/dev/shm";
      if (!std::filesystem::is_directory(base, error)) base = std::filesystem::temp_directory_path();
      path = base / ("nxui-fuzz-" + std::to_string(::getpid()));
      std::filesystem::create_directories(path, error);
    }
    ~Scratch() {
      std::error_code error;
      std::filesystem::remove_all(path, error);
    }
  };
  static const Scratch scratch;
  return scratch.path;
}

// Empties the scratch folder at the start of an input, so that no input sees another's files.
inline const std::filesystem::path& FreshScratchFolder() {
  const std::filesystem::path& folder = ScratchFolder();
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    std::filesystem::remove_all(entry.path(), error);
  }
  return folder;
}

}  // namespace nxui::fuzz
