// The simulated registry: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, names compared without regard
// to case (the first spelling is kept), persisted as a ".reg" text file written atomically after
// every change, and only then: writing a value with the data it already holds writes nothing. Without administrator
// rights every write below HKEY_LOCAL_MACHINE is refused with kErrorAccessDenied, as an unelevated process sees it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IRegistry.h"

namespace nxui::sim {

class SimFaults;

class SimRegistry final : public IRegistry {
 public:
  SimRegistry(SimFaults& faults, bool admin);
  ~SimRegistry() override;

  LONG OpenKey(HKEY parent, std::string_view subKey, DWORD access, HKEY& key) override;
  LONG CreateKey(HKEY parent, std::string_view subKey, DWORD access, HKEY& key) override;
  LONG CloseKey(HKEY key) override;
  LONG QueryValue(HKEY key, std::string_view name, DWORD& type, std::vector<std::uint8_t>& data) override;
  LONG SetValue(HKEY key, std::string_view name, DWORD type, std::span<const std::uint8_t> data) override;
  LONG EnumValue(HKEY key, DWORD index, std::string& name, DWORD& type, std::vector<std::uint8_t>& data) override;
  LONG EnumKey(HKEY key, DWORD index, std::string& name) override;
  LONG DeleteValue(HKEY key, std::string_view name) override;
  LONG DeleteKey(HKEY parent, std::string_view subKey) override;

  // Privileged access for the simulation itself (the driver, seeding): no rights checked, no
  // faults. Paths are below a root, separated by backslashes.
  bool ReadDirect(HKEY root, std::string_view path, std::string_view name, DWORD& type,
                  std::vector<std::uint8_t>& data) const;
  bool ReadTextDirect(HKEY root, std::string_view path, std::string_view name, std::string& text) const;
  void WriteDirect(HKEY root, std::string_view path, std::string_view name, DWORD type,
                   std::span<const std::uint8_t> data);
  void WriteTextDirect(HKEY root, std::string_view path, std::string_view name, std::string_view text);
  bool KeyExists(HKEY root, std::string_view path) const;
  std::size_t OpenHandleCount() const { return handles_.size(); }
  void SetAdmin(bool admin) { admin_ = admin; }

  // The ".reg" text of the whole tree, and its reverse. ParseText replaces the tree only when
  // the whole text is valid; `error` names `source` and the line.
  std::string ToRegText() const;
  bool ParseRegText(std::string_view text, std::string_view source, std::string& error);

  // Loads `file` and keeps it as the file written after each change.
  bool LoadFile(const std::string& file, std::string& error);
  // Keeps `file` as the persistence target and writes the current tree there.
  bool AttachFile(const std::string& file, std::string& error);
  // Writes the tree now (temporary file + rename). No-op without a file.
  bool Save(std::string& error) const;
  // "PATH: reason" of the last save when it failed; empty once a save succeeded.
  const std::string& lastSaveError() const { return lastSaveError_; }
  // Told "file: reason" when a change could not be written (the change is then undone and the
  // port call returns kErrorRegistryIoFailed); a failure that repeats is told once.
  void SetWriteFailureListener(std::function<void(const std::string&)> listener) {
    writeFailureListener_ = std::move(listener);
  }
  // Times the file was (re)written.
  std::size_t fileWrites() const { return fileWrites_; }

  struct Value {
    std::string name;
    DWORD type = 0;
    std::vector<std::uint8_t> data;
  };
  struct Key {
    std::string name;
    std::vector<Value> values;
    std::vector<std::unique_ptr<Key>> subkeys;
  };

 private:
  struct Handle {
    HKEY root = 0;
    std::vector<std::string> path;
    DWORD access = 0;
  };

  Key* RootKey(HKEY root);
  const Key* RootKey(HKEY root) const;
  // Resolves a handle (predefined or opened) to its root and path; false for unknown handles.
  bool Locate(HKEY key, HKEY& root, std::vector<std::string>& path) const;
  Key* Find(HKEY root, const std::vector<std::string>& path);
  const Key* Find(HKEY root, const std::vector<std::string>& path) const;
  LONG Resolve(HKEY key, DWORD neededAccess, HKEY& root, Key*& found);
  bool WriteDenied(HKEY root) const;
  // Writes the file after a change; false when it could not be written.
  bool Changed();

  SimFaults& faults_;
  bool admin_;
  Key hklm_;
  Key hkcu_;
  std::map<HKEY, Handle> handles_;
  HKEY nextHandle_ = 0x1000;
  std::string file_;
  mutable std::string savedText_;  // what the file holds
  mutable std::size_t fileWrites_ = 0;
  mutable std::string lastSaveError_;
  std::string lastReportedError_;
  std::function<void(const std::string&)> writeFailureListener_;
};

}  // namespace nxui::sim
