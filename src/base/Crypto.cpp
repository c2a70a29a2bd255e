#include "base/Crypto.h"

#include <dlfcn.h>
#include <openssl/evp.h>

#include <algorithm>
#include <limits>

#ifndef NXUI_LIBCRYPTO_SONAME
#error "the build names the libcrypto to load (NXUI_LIBCRYPTO_SONAME)"
#endif

namespace nxui {
namespace {

using DigestFn = decltype(&::EVP_Digest);
using Sha1Fn = decltype(&::EVP_sha1);
using Pbkdf2Fn = decltype(&::PKCS5_PBKDF2_HMAC_SHA1);

template <typename Fn>
Fn As(void* symbol) {
  return reinterpret_cast<Fn>(symbol);
}

bool FitsInt(std::size_t size) { return size <= static_cast<std::size_t>(std::numeric_limits<int>::max()); }

}  // namespace

CryptoLibrary::CryptoLibrary(const char* soname) {
  // Local: its symbols must not interpose on anything else the process loads later.
  handle_ = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = ::dlerror();
    error_ = why != nullptr ? why : std::string(soname) + " could not be loaded";
    return;
  }
  void* digest = ::dlsym(handle_, "EVP_Digest");
  void* sha1 = ::dlsym(handle_, "EVP_sha1");
  void* pbkdf2 = ::dlsym(handle_, "PKCS5_PBKDF2_HMAC_SHA1");
  if (digest == nullptr || sha1 == nullptr || pbkdf2 == nullptr) {
    error_ = std::string(soname) + " lacks the SHA-1 functions";
    return;
  }
  digest_ = digest;
  pbkdf2_ = pbkdf2;
  sha1_ = sha1;
}

CryptoLibrary::~CryptoLibrary() {
  if (handle_ != nullptr) ::dlclose(handle_);
}

bool CryptoLibrary::Sha1(std::span<const std::uint8_t> data, Sha1Digest& digest) const {
  if (!Loaded()) return false;
  unsigned char out[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  const EVP_MD* md = As<Sha1Fn>(sha1_)();
  if (md == nullptr || As<DigestFn>(digest_)(data.data(), data.size(), out, &length, md, nullptr) != 1 ||
      length != digest.size()) {
    return false;
  }
  std::copy_n(out, digest.size(), digest.begin());
  return true;
}

bool CryptoLibrary::Pbkdf2HmacSha1(std::string_view password, std::span<const std::uint8_t> salt, int iterations,
                                   std::span<std::uint8_t> key) const {
  if (!Loaded() || iterations < 1 || !FitsInt(password.size()) || !FitsInt(salt.size()) || !FitsInt(key.size())) {
    return false;
  }
  std::array<unsigned char, 64> buffer{};
  if (key.size() > buffer.size()) return false;
  if (As<Pbkdf2Fn>(pbkdf2_)(password.data(), static_cast<int>(password.size()), salt.data(),
                            static_cast<int>(salt.size()), iterations, static_cast<int>(key.size()),
                            buffer.data()) != 1) {
    return false;
  }
  std::copy_n(buffer.begin(), key.size(), key.begin());
  return true;
}

const CryptoLibrary& CryptoLibrary::Process() {
  // Never unloaded: OpenSSL's own exit handlers live in it.
  static const CryptoLibrary* const library = new CryptoLibrary(NXUI_LIBCRYPTO_SONAME);
  return *library;
}

}  // namespace nxui
