#include "sim/SimRegistry.h"
#include "base/AsciiCase.h"

#include "base/AtomicFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/HexText.h"
#include "sim/SimFaults.h"

namespace nxui::sim {
namespace {

constexpr LONG kErrorKeyDeleted = 1018;
// The platform's limit on key nesting below a root.
constexpr std::size_t kMaxKeyDepth = 512;
constexpr DWORD kWriteRights = 0x0002 | 0x0004 | 0x0020 | 0x10000 | 0x40000 | 0x80000;
constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

bool SameName(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(a, b); }

std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

SimRegistry::Key* Child(SimRegistry::Key& key, std::string_view name) {
  for (auto& k : key.subkeys) {
    if (SameName(k->name, name)) return k.get();
  }
  return nullptr;
}

SimRegistry::Value* FindValue(SimRegistry::Key& key, std::string_view name) {
  for (auto& v : key.values) {
    if (SameName(v.name, name)) return &v;
  }
  return nullptr;
}

// Stores the value; false when it already held exactly this type and data.
bool PutValue(SimRegistry::Key& key, std::string_view name, DWORD type, std::span<const std::uint8_t> data) {
  if (auto* v = FindValue(key, name)) {
    if (v->type == type && std::equal(v->data.begin(), v->data.end(), data.begin(), data.end())) return false;
    v->type = type;
    v->data.assign(data.begin(), data.end());
    return true;
  }
  key.values.push_back({std::string(name), type, {data.begin(), data.end()}});
  return true;
}

SimRegistry::Key& MakePath(SimRegistry::Key& root, const std::vector<std::string>& path) {
  SimRegistry::Key* k = &root;
  for (const auto& part : path) {
    SimRegistry::Key* next = Child(*k, part);
    if (next == nullptr) {
      k->subkeys.push_back(std::make_unique<SimRegistry::Key>());
      next = k->subkeys.back().get();
      next->name = part;
    }
    k = next;
  }
  return *k;
}

// UTF-8 <-> UTF-16LE for the hex(1)/hex(7) forms, which the file format keeps in UTF-16. Texts
// written through the ports are UTF-8, but a value may hold any bytes: a byte that is not part of
// well-formed UTF-8 travels as the lone low surrogate U+DC80..U+DCFF and comes back as itself, so
// a save never changes a value.
constexpr std::uint32_t kEscapedByte = 0xDC00;

// The code point of the well-formed UTF-8 sequence at `at` and its length; 0 when there is none
// (overlong forms, surrogates and values past U+10FFFF are not well-formed).
std::size_t Utf8Sequence(const std::vector<std::uint8_t>& in, std::size_t at, std::uint32_t& cp) {
  const std::uint8_t lead = in[at];
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  std::size_t length = 0;
  std::uint32_t minimum = 0;
  if (lead >= 0xC2 && lead < 0xE0) {
    length = 2;
    minimum = 0x80;
    cp = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    length = 3;
    minimum = 0x800;
    cp = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead < 0xF5) {
    length = 4;
    minimum = 0x10000;
    cp = lead & 0x07u;
  } else {
    return 0;
  }
  if (in.size() - at < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((in[at + k] & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (in[at + k] & 0x3Fu);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return 0;
  return length;
}

std::vector<std::uint8_t> ToUtf16(const std::vector<std::uint8_t>& in) {
  std::vector<std::uint8_t> out;
  auto unit = [&out](std::uint32_t u) {
    out.push_back(static_cast<std::uint8_t>(u & 0xFF));
    out.push_back(static_cast<std::uint8_t>(u >> 8));
  };
  for (std::size_t i = 0; i < in.size();) {
    std::uint32_t cp = 0;
    std::size_t length = Utf8Sequence(in, i, cp);
    if (length == 0) {
      cp = kEscapedByte + in[i];
      length = 1;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      unit(0xD800 + (cp >> 10));
      unit(0xDC00 + (cp & 0x3FF));
    } else {
      unit(cp);
    }
    i += length;
  }
  return out;
}

bool FromUtf16(const std::vector<std::uint8_t>& in, std::vector<std::uint8_t>& out) {
  if (in.size() % 2 != 0) return false;
  out.clear();
  for (std::size_t i = 0; i < in.size(); i += 2) {
    std::uint32_t cp = static_cast<std::uint32_t>(in[i] | (in[i + 1] << 8));
    if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < in.size()) {
      const std::uint32_t low = static_cast<std::uint32_t>(in[i + 2] | (in[i + 3] << 8));
      if (low >= 0xDC00 && low < 0xE000) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (cp >= kEscapedByte + 0x80 && cp <= kEscapedByte + 0xFF) {
      out.push_back(static_cast<std::uint8_t>(cp - kEscapedByte));
    } else if (cp < 0x80) {
      out.push_back(static_cast<std::uint8_t>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<std::uint8_t>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<std::uint8_t>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<std::uint8_t>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<std::uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<std::uint8_t>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<std::uint8_t>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<std::uint8_t>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<std::uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<std::uint8_t>(0x80 | (cp & 0x3F)));
    }
  }
  return true;
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string HexList(const std::vector<std::uint8_t>& bytes) {
  std::string out;
  char buf[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02x", bytes[i]);
    if (i != 0) out += ',';
    out += buf;
  }
  return out;
}

bool PlainText(const std::vector<std::uint8_t>& data) {
  for (auto b : data) {
    if (b == 0 || b == '\n' || b == '\r') return false;
  }
  return true;
}

// One "[path]" section with the key's values.
void WriteSection(std::string& out, std::string_view path, const SimRegistry::Key& key) {
  out += "\n[";
  out += path;
  out += "]\n";
  for (const auto& v : key.values) {
    out += v.name.empty() ? std::string("@") : Quote(v.name);
    out += '=';
    if (v.type == kRegSz && PlainText(v.data)) {
      out += Quote(std::string(v.data.begin(), v.data.end()));
    } else if (v.type == kRegDword && v.data.size() == 4) {
      char buf[16];
      std::snprintf(buf, sizeof buf, "dword:%08x",
                    static_cast<unsigned>(v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) |
                                          (static_cast<std::uint32_t>(v.data[3]) << 24)));
      out += buf;
    } else if (v.type == kRegBinary) {
      out += "hex:" + HexList(v.data);
    } else if (v.type == kRegSz || v.type == kRegMultiSz) {
      out += "hex(" + std::to_string(v.type) + "):" + HexList(ToUtf16(v.data));
    } else {
      char buf[16];
      std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
      out += buf + HexList(v.data);
    }
    out += '\n';
  }
}

bool ParseHexBytes(std::string_view text, std::vector<std::uint8_t>& out) {
  out.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i >= text.size()) break;
    if (i + 1 >= text.size()) return false;
    const int hi = HexDigitValue(text[i]);
    const int lo = HexDigitValue(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    i += 2;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size()) {
      if (text[i] != ',') return false;
      ++i;
      if (i >= text.size()) return false;  // a trailing comma
    }
  }
  return true;
}

// Reads a quoted text starting at text[pos] == '"'; pos ends after the closing quote.
bool ParseQuoted(std::string_view text, std::size_t& pos, std::string& out) {
  out.clear();
  if (pos >= text.size() || text[pos] != '"') return false;
  ++pos;
  while (pos < text.size()) {
    const char c = text[pos++];
    if (c == '"') return true;
    if (c == '\\') {
      if (pos >= text.size() || (text[pos] != '\\' && text[pos] != '"')) return false;
      out += text[pos++];
      continue;
    }
    out += c;
  }
  return false;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

}  // namespace

SimRegistry::SimRegistry(SimFaults& faults, bool admin) : faults_(faults), admin_(admin) {
  hklm_.name = "HKEY_LOCAL_MACHINE";
  hkcu_.name = "HKEY_CURRENT_USER";
}

SimRegistry::~SimRegistry() = default;

SimRegistry::Key* SimRegistry::RootKey(HKEY root) {
  return root == kHkeyLocalMachine ? &hklm_ : root == kHkeyCurrentUser ? &hkcu_ : nullptr;
}
const SimRegistry::Key* SimRegistry::RootKey(HKEY root) const {
  return root == kHkeyLocalMachine ? &hklm_ : root == kHkeyCurrentUser ? &hkcu_ : nullptr;
}

bool SimRegistry::Locate(HKEY key, HKEY& root, std::vector<std::string>& path) const {
  if (key == kHkeyLocalMachine || key == kHkeyCurrentUser) {
    root = key;
    path.clear();
    return true;
  }
  auto it = handles_.find(key);
  if (it == handles_.end()) return false;
  root = it->second.root;
  path = it->second.path;
  return true;
}

SimRegistry::Key* SimRegistry::Find(HKEY root, const std::vector<std::string>& path) {
  Key* k = RootKey(root);
  for (const auto& part : path) {
    if (k == nullptr) return nullptr;
    k = Child(*k, part);
  }
  return k;
}
const SimRegistry::Key* SimRegistry::Find(HKEY root, const std::vector<std::string>& path) const {
  return const_cast<SimRegistry*>(this)->Find(root, path);
}

LONG SimRegistry::Resolve(HKEY key, DWORD neededAccess, HKEY& root, Key*& found) {
  std::vector<std::string> path;
  if (!Locate(key, root, path)) return kErrorInvalidHandle;
  if (auto it = handles_.find(key); it != handles_.end() && (it->second.access & neededAccess) != neededAccess) {
    return kErrorAccessDenied;
  }
  found = Find(root, path);
  return found == nullptr ? kErrorKeyDeleted : kErrorSuccess;
}

bool SimRegistry::WriteDenied(HKEY root) const { return root == kHkeyLocalMachine && !admin_; }

void SimRegistry::Changed() {
  dirty_ = true;
  if (saveScheduled_ || !saveScheduler_) return;
  saveScheduled_ = true;
  saveScheduler_();
}

bool SimRegistry::Flush() {
  saveScheduled_ = false;
  if (!dirty_) return true;
  std::string error;
  if (Save(error)) {
    dirty_ = false;
    lastReportedError_.clear();
    return true;
  }
  // A failure that keeps repeating (every change on a full disk) is told once.
  if (error != lastReportedError_ && writeFailureListener_) writeFailureListener_(error);
  lastReportedError_ = error;
  return false;
}

LONG SimRegistry::OpenKey(HKEY parent, std::string_view subKey, DWORD access, HKEY& key) {
  key = 0;
  HKEY root = 0;
  std::vector<std::string> path;
  if (!Locate(parent, root, path)) return kErrorInvalidHandle;
  for (auto& part : SplitPath(subKey)) path.push_back(part);
  if (Find(root, path) == nullptr) return kErrorFileNotFound;
  if ((access & kWriteRights) != 0 && WriteDenied(root)) return kErrorAccessDenied;
  key = nextHandle_++;
  handles_[key] = Handle{root, std::move(path), access};
  return kErrorSuccess;
}

LONG SimRegistry::CreateKey(HKEY parent, std::string_view subKey, DWORD access, HKEY& key) {
  key = 0;
  HKEY root = 0;
  std::vector<std::string> path;
  if (!Locate(parent, root, path)) return kErrorInvalidHandle;
  if (Find(root, path) == nullptr) return kErrorKeyDeleted;
  for (auto& part : SplitPath(subKey)) path.push_back(part);
  if (path.size() > kMaxKeyDepth) return kErrorInvalidParameter;
  const bool exists = Find(root, path) != nullptr;
  if ((!exists || (access & kWriteRights) != 0) && WriteDenied(root)) return kErrorAccessDenied;
  if (!exists) {
    if (faults_.Take(fault::kRegistryWrite)) return kErrorAccessDenied;
    MakePath(*RootKey(root), path);
    Changed();
  }
  key = nextHandle_++;
  handles_[key] = Handle{root, std::move(path), access};
  return kErrorSuccess;
}

LONG SimRegistry::CloseKey(HKEY key) {
  if (key == kHkeyLocalMachine || key == kHkeyCurrentUser) return kErrorSuccess;
  return handles_.erase(key) != 0 ? kErrorSuccess : kErrorInvalidHandle;
}

LONG SimRegistry::QueryValue(HKEY key, std::string_view name, DWORD& type, std::vector<std::uint8_t>& data) {
  HKEY root = 0;
  Key* k = nullptr;
  if (LONG rc = Resolve(key, kKeyQueryValue, root, k); rc != kErrorSuccess) return rc;
  if (faults_.Take(fault::kRegistryRead)) return kErrorAccessDenied;
  const Value* v = FindValue(*k, name);
  if (v == nullptr) return kErrorFileNotFound;
  type = v->type;
  data = v->data;
  return kErrorSuccess;
}

LONG SimRegistry::SetValue(HKEY key, std::string_view name, DWORD type, std::span<const std::uint8_t> data) {
  HKEY root = 0;
  Key* k = nullptr;
  if (LONG rc = Resolve(key, kKeySetValue, root, k); rc != kErrorSuccess) return rc;
  if (WriteDenied(root) || faults_.Take(fault::kRegistryWrite)) return kErrorAccessDenied;
  if (PutValue(*k, name, type, data)) Changed();
  return kErrorSuccess;
}

LONG SimRegistry::EnumValue(HKEY key, DWORD index, std::string& name, DWORD& type, std::vector<std::uint8_t>& data) {
  HKEY root = 0;
  Key* k = nullptr;
  if (LONG rc = Resolve(key, kKeyQueryValue, root, k); rc != kErrorSuccess) return rc;
  if (index >= k->values.size()) return kErrorNoMoreItems;
  const Value& v = k->values[index];
  name = v.name;
  type = v.type;
  data = v.data;
  return kErrorSuccess;
}

LONG SimRegistry::EnumKey(HKEY key, DWORD index, std::string& name) {
  HKEY root = 0;
  Key* k = nullptr;
  if (LONG rc = Resolve(key, kKeyEnumerateSubKeys, root, k); rc != kErrorSuccess) return rc;
  if (index >= k->subkeys.size()) return kErrorNoMoreItems;
  name = k->subkeys[index]->name;
  return kErrorSuccess;
}

LONG SimRegistry::DeleteValue(HKEY key, std::string_view name) {
  HKEY root = 0;
  Key* k = nullptr;
  if (LONG rc = Resolve(key, kKeySetValue, root, k); rc != kErrorSuccess) return rc;
  if (WriteDenied(root)) return kErrorAccessDenied;
  for (auto it = k->values.begin(); it != k->values.end(); ++it) {
    if (SameName(it->name, name)) {
      if (faults_.Take(fault::kRegistryWrite)) return kErrorAccessDenied;
      k->values.erase(it);
      Changed();
      return kErrorSuccess;
    }
  }
  return kErrorFileNotFound;
}

LONG SimRegistry::DeleteKey(HKEY parent, std::string_view subKey) {
  HKEY root = 0;
  std::vector<std::string> path;
  if (!Locate(parent, root, path)) return kErrorInvalidHandle;
  const auto parts = SplitPath(subKey);
  if (parts.empty()) return kErrorInvalidParameter;
  for (const auto& part : parts) path.push_back(part);
  Key* target = Find(root, path);
  if (target == nullptr) return kErrorFileNotFound;
  if (WriteDenied(root)) return kErrorAccessDenied;
  if (!target->subkeys.empty()) return kErrorAccessDenied;  // the platform refuses keys with subkeys
  if (faults_.Take(fault::kRegistryWrite)) return kErrorAccessDenied;
  const std::string last = path.back();
  path.pop_back();
  Key* owner = Find(root, path);
  for (auto it = owner->subkeys.begin(); it != owner->subkeys.end(); ++it) {
    if (SameName((*it)->name, last)) {
      owner->subkeys.erase(it);
      Changed();
      return kErrorSuccess;
    }
  }
  return kErrorSuccess;
}

bool SimRegistry::ReadDirect(HKEY root, std::string_view path, std::string_view name, DWORD& type,
                             std::vector<std::uint8_t>& data) const {
  const Key* k = Find(root, SplitPath(path));
  if (k == nullptr) return false;
  for (const auto& v : k->values) {
    if (SameName(v.name, name)) {
      type = v.type;
      data = v.data;
      return true;
    }
  }
  return false;
}

bool SimRegistry::ReadTextDirect(HKEY root, std::string_view path, std::string_view name, std::string& text) const {
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  if (!ReadDirect(root, path, name, type, data) || type != kRegSz) return false;
  text.assign(data.begin(), data.end());
  if (auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return true;
}

void SimRegistry::WriteDirect(HKEY root, std::string_view path, std::string_view name, DWORD type,
                              std::span<const std::uint8_t> data) {
  Key* r = RootKey(root);
  const std::vector<std::string> parts = SplitPath(path);
  if (r == nullptr || parts.size() > kMaxKeyDepth) return;
  if (PutValue(MakePath(*r, parts), name, type, data)) Changed();
}

void SimRegistry::WriteTextDirect(HKEY root, std::string_view path, std::string_view name, std::string_view text) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
  WriteDirect(root, path, name, kRegSz, std::span<const std::uint8_t>(p, text.size()));
}

bool SimRegistry::KeyExists(HKEY root, std::string_view path) const { return Find(root, SplitPath(path)) != nullptr; }

std::string SimRegistry::ToRegText() const {
  std::string out(kHeader);
  out += '\n';
  // Depth first, without recursion, the path grown and cut back in one buffer.
  struct Frame {
    const Key* key;
    std::size_t nextChild;
    std::size_t pathLength;
  };
  for (const Key* root : {&hklm_, &hkcu_}) {
    std::string path = root->name;
    if (!root->values.empty()) WriteSection(out, path, *root);
    std::vector<Frame> stack{{root, 0, path.size()}};
    while (!stack.empty()) {
      Frame& frame = stack.back();
      if (frame.nextChild == frame.key->subkeys.size()) {
        stack.pop_back();
        continue;
      }
      const Key& child = *frame.key->subkeys[frame.nextChild++];
      path.resize(frame.pathLength);
      path += '\\';
      path += child.name;
      WriteSection(out, path, child);
      stack.push_back({&child, 0, path.size()});
    }
  }
  return out;
}

bool SimRegistry::ParseRegText(std::string_view text, std::string_view source, std::string& error) {
  Key lm;
  Key cu;
  lm.name = hklm_.name;
  cu.name = hkcu_.name;
  const std::string src(source);
  auto fail = [&](int line, const std::string& message) {
    error = src + ":" + std::to_string(line) + ": " + message;
    return false;
  };
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

  bool headerSeen = false;
  Key* current = nullptr;
  int lineNumber = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string line(Trim(text.substr(pos, end - pos)));
    pos = end + 1;
    const int startLine = ++lineNumber;
    // Long hex values continue on the next line after a trailing backslash.
    while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos && pos < text.size()) {
      line.pop_back();
      end = text.find('\n', pos);
      if (end == std::string_view::npos) end = text.size();
      line += std::string(Trim(text.substr(pos, end - pos)));
      pos = end + 1;
      ++lineNumber;
    }
    if (line.empty() || line[0] == ';') continue;
    if (!headerSeen) {
      if (line != kHeader) return fail(startLine, "not a registry file (expected \"" + std::string(kHeader) + "\")");
      headerSeen = true;
      continue;
    }
    if (line[0] == '[') {
      if (line.back() != ']' || line.size() < 3) return fail(startLine, "malformed key line");
      if (line[1] == '-') return fail(startLine, "key deletions are not supported");
      auto parts = SplitPath(std::string_view(line).substr(1, line.size() - 2));
      if (parts.empty()) return fail(startLine, "empty key path");
      Key* root = SameName(parts[0], "HKEY_LOCAL_MACHINE")  ? &lm
                  : SameName(parts[0], "HKEY_CURRENT_USER") ? &cu
                                                            : nullptr;
      if (root == nullptr) return fail(startLine, "unknown root key \"" + parts[0] + "\"");
      parts.erase(parts.begin());
      if (parts.size() > kMaxKeyDepth) {
        return fail(startLine, "key nested deeper than " + std::to_string(kMaxKeyDepth) + " levels");
      }
      current = &MakePath(*root, parts);
      continue;
    }
    if (current == nullptr) return fail(startLine, "value outside of a key");
    std::size_t p = 0;
    std::string name;
    if (line[0] == '@') {
      p = 1;
    } else if (!ParseQuoted(line, p, name)) {
      return fail(startLine, "malformed value name");
    }
    if (p >= line.size() || line[p] != '=') return fail(startLine, "expected '=' after the value name");
    const std::string_view data = Trim(std::string_view(line).substr(p + 1));
    std::vector<std::uint8_t> bytes;
    DWORD type = 0;
    if (!data.empty() && data[0] == '"') {
      std::size_t q = 0;
      std::string textValue;
      if (!ParseQuoted(data, q, textValue) || q != data.size()) return fail(startLine, "malformed text value");
      type = kRegSz;
      bytes.assign(textValue.begin(), textValue.end());
    } else if (data.substr(0, 6) == "dword:") {
      const auto digits = data.substr(6);
      if (digits.empty() || digits.size() > 8) return fail(startLine, "malformed dword value");
      std::uint32_t v = 0;
      for (char c : digits) {
        const int d = HexDigitValue(c);
        if (d < 0) return fail(startLine, "malformed dword value");
        v = v * 16 + static_cast<std::uint32_t>(d);
      }
      type = kRegDword;
      bytes = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
               static_cast<std::uint8_t>(v >> 24)};
    } else if (data.substr(0, 4) == "hex:") {
      type = kRegBinary;
      if (!ParseHexBytes(data.substr(4), bytes)) return fail(startLine, "malformed hex value");
    } else if (data.substr(0, 4) == "hex(") {
      const auto close = data.find("):");
      if (close == std::string_view::npos || close == 4 || close > 12)
        return fail(startLine, "malformed hex(type) value");
      std::uint32_t t = 0;
      for (char c : data.substr(4, close - 4)) {
        const int d = HexDigitValue(c);
        if (d < 0) return fail(startLine, "malformed hex(type) value");
        t = t * 16 + static_cast<std::uint32_t>(d);
      }
      std::vector<std::uint8_t> raw;
      if (!ParseHexBytes(data.substr(close + 2), raw)) return fail(startLine, "malformed hex value");
      type = t;
      if (t == kRegSz || t == kRegMultiSz) {
        if (!FromUtf16(raw, bytes)) return fail(startLine, "odd length of UTF-16 text");
      } else {
        bytes = std::move(raw);
      }
    } else {
      return fail(startLine, "unknown value form");
    }
    PutValue(*current, name, type, bytes);
  }
  if (!headerSeen) return fail(lineNumber == 0 ? 1 : lineNumber, "not a registry file (empty)");
  hklm_ = std::move(lm);
  hkcu_ = std::move(cu);
  return true;
}

bool SimRegistry::LoadFile(const std::string& file, std::string& error) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = file + ":0: cannot read the registry file";
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (!ParseRegText(text.str(), file, error)) return false;
  file_ = file;
  savedText_ = ToRegText();
  return true;
}

void SimRegistry::AttachFile(const std::string& file) {
  file_ = file;
  savedText_.clear();
  Changed();
}

bool SimRegistry::Save(std::string& error) const {
  if (file_.empty()) return true;
  std::string text = ToRegText();
  // A change that comes back to what the file holds (a value set and set back) writes nothing.
  if (text == savedText_) return true;
  if (!WriteFileAtomically(file_, text, FileSecrecy::Secret, error)) {
    lastSaveError_ = error;
    return false;
  }
  // Saved now: an earlier failure no longer stands.
  lastSaveError_.clear();
  savedText_ = std::move(text);
  ++fileWrites_;
  return true;
}

}  // namespace nxui::sim
