// SHA-1 and PBKDF2-HMAC-SHA1 from OpenSSL's libcrypto, loaded on first use. Most runs of a tray
// program never derive a key; linking the library would cost every start its relocations and
// symbol tables (about 1.4 MiB resident) for nothing.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace nxui {

using Sha1Digest = std::array<std::uint8_t, 20>;

class CryptoLibrary {
 public:
  // Loads `soname` now; Loaded() tells whether it and every function needed were found.
  explicit CryptoLibrary(const char* soname);
  ~CryptoLibrary();
  CryptoLibrary(const CryptoLibrary&) = delete;
  CryptoLibrary& operator=(const CryptoLibrary&) = delete;

  bool Loaded() const { return sha1_ != nullptr; }
  // What went wrong loading, for the user ("" when loaded).
  const std::string& Error() const { return error_; }

  // Each writes its result only on success; false when the library is missing or the call fails.
  bool Sha1(std::span<const std::uint8_t> data, Sha1Digest& digest) const;
  bool Pbkdf2HmacSha1(std::string_view password, std::span<const std::uint8_t> salt, int iterations,
                      std::span<std::uint8_t> key) const;

  // The process's own, loaded on the first call (thread-safe) and kept until exit.
  static const CryptoLibrary& Process();

 private:
  void* handle_ = nullptr;
  std::string error_;
  // Types checked against OpenSSL's header in the source file.
  void* digest_ = nullptr;
  void* sha1_ = nullptr;
  void* pbkdf2_ = nullptr;
};

}  // namespace nxui
