#include "advanced/SsoRegistry.h"

#include <algorithm>

#include "platform/IRegistry.h"

namespace nxui {
namespace {

// Opens a key below HKEY_LOCAL_MACHINE and closes it when it goes.
class OpenedKey {
 public:
  OpenedKey(IRegistry& registry, std::string_view path, DWORD access, bool create = false) : registry_(registry) {
    result_ = create ? registry.CreateKey(kHkeyLocalMachine, path, access, key_)
                     : registry.OpenKey(kHkeyLocalMachine, path, access, key_);
  }
  ~OpenedKey() {
    if (result_ == kErrorSuccess) registry_.CloseKey(key_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  LONG Result() const { return result_; }
  HKEY Key() const { return key_; }

 private:
  IRegistry& registry_;
  HKEY key_ = 0;
  LONG result_ = kErrorFileNotFound;
};

LONG FirstFailure(LONG so_far, LONG now) { return so_far != kErrorSuccess ? so_far : now; }

LONG DeleteTree(IRegistry& registry, const std::string& path) {
  LONG result = DeleteAllSubkeys(registry, path);
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string::npos) return FirstFailure(result, registry.DeleteKey(kHkeyLocalMachine, path));
  OpenedKey parent(registry, path.substr(0, slash), kKeyAllAccess);
  if (parent.Result() != kErrorSuccess) return FirstFailure(result, parent.Result());
  return FirstFailure(result, registry.DeleteKey(parent.Key(), path.substr(slash + 1)));
}

}  // namespace

LONG ReadSsoText(IRegistry& registry, std::string_view keyPath, std::string_view name, std::string& text) {
  OpenedKey key(registry, keyPath, kKeyRead);
  if (key.Result() != kErrorSuccess) return key.Result();
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  const LONG read = registry.QueryValue(key.Key(), name, type, data);
  if (read != kErrorSuccess) return read;
  if (data.size() > kSsoValueBufferSize) return kErrorMoreData;
  const auto end = std::find(data.begin(), data.end(), std::uint8_t{0});
  text.assign(data.begin(), end);
  return kErrorSuccess;
}

LONG WriteSsoText(IRegistry& registry, std::string_view keyPath, std::string_view name, std::string_view text) {
  OpenedKey key(registry, keyPath, kKeyAllAccess, true);
  if (key.Result() != kErrorSuccess) return key.Result();
  const std::vector<std::uint8_t> data(text.begin(), text.end());
  return registry.SetValue(key.Key(), name, kRegSz, data);
}

LONG WriteSsoFlag(IRegistry& registry, std::string_view keyPath, std::string_view name, std::string_view text) {
  OpenedKey key(registry, keyPath, kKeyAllAccess, true);
  if (key.Result() != kErrorSuccess) return key.Result();
  std::vector<std::uint8_t> data(kSsoValueBufferSize, 0);
  std::copy_n(text.begin(), std::min(text.size(), kSsoValueBufferSize - 1), data.begin());
  return registry.SetValue(key.Key(), name, kRegSz, data);
}

LONG DeleteSsoValue(IRegistry& registry, std::string_view keyPath, std::string_view name) {
  OpenedKey key(registry, keyPath, kKeyAllAccess);
  if (key.Result() != kErrorSuccess) return key.Result();
  return registry.DeleteValue(key.Key(), name);
}

std::vector<std::string> SubkeyNames(IRegistry& registry, std::string_view keyPath) {
  std::vector<std::string> names;
  OpenedKey key(registry, keyPath, kKeyRead);
  if (key.Result() != kErrorSuccess) return names;
  std::string name;
  for (DWORD index = 0; registry.EnumKey(key.Key(), index, name) == kErrorSuccess; ++index) names.push_back(name);
  return names;
}

LONG DeleteAllSubkeys(IRegistry& registry, std::string_view keyPath) {
  LONG result = kErrorSuccess;
  // Names first: deleting while enumerating would skip keys.
  for (const std::string& name : SubkeyNames(registry, keyPath)) {
    result = FirstFailure(result, DeleteTree(registry, std::string(keyPath) + "\\" + name));
  }
  return result;
}

LONG CopyAllValues(IRegistry& registry, std::string_view from, std::string_view to) {
  OpenedKey source(registry, from, kKeyRead);
  if (source.Result() != kErrorSuccess) return source.Result();
  OpenedKey target(registry, to, kKeyAllAccess, true);
  if (target.Result() != kErrorSuccess) return target.Result();
  LONG result = kErrorSuccess;
  std::string name;
  DWORD type = 0;
  std::vector<std::uint8_t> data;
  for (DWORD index = 0; registry.EnumValue(source.Key(), index, name, type, data) == kErrorSuccess; ++index) {
    result = FirstFailure(result, registry.SetValue(target.Key(), name, type, data));
  }
  return result;
}

}  // namespace nxui
