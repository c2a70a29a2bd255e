#include "base/Crypto.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/HexText.h"

namespace nxui {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(CryptoLibrary, Sha1KnownAnswers) {
  struct Row {
    std::string input, digest;
  };
  const std::vector<Row> rows = {
      {"", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
      {"abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
      {std::string("\0\xff", 2), "aa3e5dcdd77b153f2e59bd0d8794fde33cb4e486"},
  };
  const CryptoLibrary& crypto = CryptoLibrary::Process();
  ASSERT_TRUE(crypto.Loaded()) << crypto.Error();
  for (const Row& row : rows) {
    Sha1Digest digest{};
    ASSERT_TRUE(crypto.Sha1(Bytes(row.input), digest));
    EXPECT_EQ(HexBytes(digest), row.digest) << row.input;
  }
}

TEST(CryptoLibrary, Pbkdf2KnownAnswersAndLimits) {
  struct Row {
    std::string password, salt;
    int iterations;
    std::size_t length;
    bool ok;
    std::string key;  // hex, when ok
  };
  const std::vector<Row> rows = {
      // RFC 6070
      {"password", "salt", 1, 20, true, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
      {"password", "salt", 2, 20, true, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
      {"password", "salt", 4096, 20, true, "4b007901b765489abead49d926f721d065a429c1"},
      {std::string("pass\0word", 9), std::string("sa\0lt", 5), 4096, 16, true, "56fa6aa75548099dcc37d7f03425e0c3"},
      // IEEE 802.11i pass phrase mapping
      {"password", "IEEE", 4096, 32, true, "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"},
      {"password", "salt", 0, 20, false, ""},
      {"password", "salt", -1, 20, false, ""},
      {"password", "salt", 1, 65, false, ""},
  };
  const CryptoLibrary& crypto = CryptoLibrary::Process();
  for (const Row& row : rows) {
    std::vector<std::uint8_t> key(row.length, 0xA5);
    EXPECT_EQ(crypto.Pbkdf2HmacSha1(row.password, Bytes(row.salt), row.iterations, key), row.ok)
        << row.password << " " << row.iterations << " " << row.length;
    if (row.ok) {
      EXPECT_EQ(HexBytes(key), row.key);
    } else {
      EXPECT_EQ(key, std::vector<std::uint8_t>(row.length, 0xA5)) << "written on failure";
    }
  }
}

TEST(CryptoLibrary, MissingOrWrongLibraryFailsWithoutWriting) {
  for (const char* name : {"libnxui-no-such-crypto.so.0", "libc.so.6"}) {
    const CryptoLibrary crypto(name);
    EXPECT_FALSE(crypto.Loaded()) << name;
    EXPECT_FALSE(crypto.Error().empty()) << name;
    Sha1Digest digest{};
    digest.fill(7);
    EXPECT_FALSE(crypto.Sha1(Bytes("abc"), digest));
    EXPECT_EQ(digest[0], 7);
    std::vector<std::uint8_t> key(32, 7);
    EXPECT_FALSE(crypto.Pbkdf2HmacSha1("password", Bytes("IEEE"), 4096, key));
    EXPECT_EQ(key, std::vector<std::uint8_t>(32, 7));
  }
}

}  // namespace
}  // namespace nxui
