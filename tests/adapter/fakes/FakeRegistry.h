// A small in-memory registry: keys by case-insensitive path, values in insertion order, every
// handle tracked so that tests can see leaks, and writes that can be made to fail.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/IRegistry.h"

namespace nxui::test {

class FakeRegistry : public IRegistry {
 public:
  struct Value {
    std::string name;
    DWORD type = 0;
    std::vector<std::uint8_t> data;
  };
  struct SetCall {
    std::string keyPath;
    std::string name;
    DWORD type;
    std::vector<std::uint8_t> data;
  };

  static std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }
  static std::vector<std::uint8_t> Text(std::string_view s) { return {s.begin(), s.end()}; }

  // Test set-up: "HKLM\\path" style full paths.
  void AddKey(const std::string& fullPath) { KeyAt(fullPath); }
  void Put(const std::string& fullPath, const std::string& name, DWORD type, std::vector<std::uint8_t> data) {
    Store(KeyAt(fullPath), name, type, std::move(data));
  }
  void PutText(const std::string& fullPath, const std::string& name, std::string_view text) {
    Put(fullPath, name, kRegSz, Text(text));
  }
  bool HasKey(const std::string& fullPath) const { return keys_.count(Lower(fullPath)) != 0; }
  std::optional<Value> Get(const std::string& fullPath, const std::string& name) const {
    auto it = keys_.find(Lower(fullPath));
    if (it == keys_.end()) return std::nullopt;
    for (const Value& v : it->second) {
      if (Lower(v.name) == Lower(name)) return v;
    }
    return std::nullopt;
  }
  std::optional<std::string> GetText(const std::string& fullPath, const std::string& name) const {
    auto v = Get(fullPath, name);
    if (!v) return std::nullopt;
    return std::string(v->data.begin(), v->data.end());
  }
  const std::vector<Value>& Values(const std::string& fullPath) { return KeyAt(fullPath); }

  std::size_t OpenHandles() const { return handles_.size(); }
  const std::vector<SetCall>& SetCalls() const { return setCalls_; }
  // Writes to this key fail with access denied (opening it for writing too).
  void MakeReadOnly(const std::string& fullPath) { readOnlyKeys.insert(Lower(fullPath)); }
  std::set<std::string> readOnlyKeys;
  // After this many further successful SetValue calls, every SetValue fails.
  std::optional<int> setsBeforeFailure;

  LONG OpenKey(HKEY parent, std::string_view subKey, DWORD access, HKEY& key) override {
    std::string path = Join(parent, subKey);
    if (path.empty() || !HasKey(path)) return kErrorFileNotFound;
    if ((access & kKeySetValue) != 0 && readOnlyKeys.count(Lower(path)) != 0) return kErrorAccessDenied;
    return NewHandle(path, key);
  }
  LONG CreateKey(HKEY parent, std::string_view subKey, DWORD, HKEY& key) override {
    std::string path = Join(parent, subKey);
    if (path.empty()) return kErrorInvalidHandle;
    KeyAt(path);
    return NewHandle(path, key);
  }
  LONG CloseKey(HKEY key) override { return handles_.erase(key) != 0 ? kErrorSuccess : kErrorInvalidHandle; }
  LONG QueryValue(HKEY key, std::string_view name, DWORD& type, std::vector<std::uint8_t>& data) override {
    auto it = handles_.find(key);
    if (it == handles_.end()) return kErrorInvalidHandle;
    auto v = Get(it->second, std::string(name));
    if (!v) return kErrorFileNotFound;
    type = v->type;
    data = v->data;
    return kErrorSuccess;
  }
  LONG SetValue(HKEY key, std::string_view name, DWORD type, std::span<const std::uint8_t> data) override {
    auto it = handles_.find(key);
    if (it == handles_.end()) return kErrorInvalidHandle;
    if (readOnlyKeys.count(Lower(it->second)) != 0) return kErrorAccessDenied;
    if (setsBeforeFailure) {
      if (*setsBeforeFailure <= 0) return kErrorAccessDenied;
      --*setsBeforeFailure;
    }
    std::vector<std::uint8_t> bytes(data.begin(), data.end());
    setCalls_.push_back({it->second, std::string(name), type, bytes});
    Store(KeyAt(it->second), std::string(name), type, std::move(bytes));
    return kErrorSuccess;
  }
  LONG EnumValue(HKEY key, DWORD index, std::string& name, DWORD& type, std::vector<std::uint8_t>& data) override {
    auto it = handles_.find(key);
    if (it == handles_.end()) return kErrorInvalidHandle;
    const auto& values = KeyAt(it->second);
    if (index >= values.size()) return kErrorNoMoreItems;
    name = values[index].name;
    type = values[index].type;
    data = values[index].data;
    return kErrorSuccess;
  }
  LONG EnumKey(HKEY, DWORD, std::string&) override { return kErrorNoMoreItems; }
  LONG DeleteValue(HKEY key, std::string_view name) override {
    auto it = handles_.find(key);
    if (it == handles_.end()) return kErrorInvalidHandle;
    auto& values = KeyAt(it->second);
    auto found = std::find_if(values.begin(), values.end(),
                              [&](const Value& v) { return Lower(v.name) == Lower(std::string(name)); });
    if (found == values.end()) return kErrorFileNotFound;
    values.erase(found);
    return kErrorSuccess;
  }
  LONG DeleteKey(HKEY parent, std::string_view subKey) override {
    return keys_.erase(Lower(Join(parent, subKey))) != 0 ? kErrorSuccess : kErrorFileNotFound;
  }

 private:
  std::string Join(HKEY parent, std::string_view subKey) const {
    std::string base;
    if (parent == kHkeyLocalMachine)
      base = "HKLM";
    else if (parent == kHkeyCurrentUser)
      base = "HKCU";
    else if (auto it = handles_.find(parent); it != handles_.end())
      base = it->second;
    else
      return {};
    return subKey.empty() ? base : base + "\\" + std::string(subKey);
  }
  std::vector<Value>& KeyAt(const std::string& path) {
    // Parents exist whenever a child does, as on the platform.
    for (std::size_t pos = path.find('\\'); pos != std::string::npos; pos = path.find('\\', pos + 1)) {
      keys_[Lower(path.substr(0, pos))];
    }
    return keys_[Lower(path)];
  }
  static void Store(std::vector<Value>& values, const std::string& name, DWORD type, std::vector<std::uint8_t> data) {
    for (Value& v : values) {
      if (Lower(v.name) == Lower(name)) {
        v.type = type;
        v.data = std::move(data);
        return;
      }
    }
    values.push_back({name, type, std::move(data)});
  }
  LONG NewHandle(const std::string& path, HKEY& key) {
    key = nextHandle_++;
    handles_[key] = path;
    return kErrorSuccess;
  }

  std::map<std::string, std::vector<Value>> keys_;
  std::map<HKEY, std::string> handles_;
  HKEY nextHandle_ = 0x100;
  std::vector<SetCall> setCalls_;
};

}  // namespace nxui::test
