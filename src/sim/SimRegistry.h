// The simulated registry: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, names compared without regard
// to case (the first spelling is kept), persisted as a ".reg" text file written atomically. A change
// only marks the tree unsaved and asks for a save; the owner saves once for many changes (one event-
// loop turn, one command), as a start-up alone makes dozens. Writing a value with the data it already
// holds changes nothing. Without administrator rights every write below HKEY_LOCAL_MACHINE is
// refused with kErrorAccessDenied, as an unelevated process sees it.
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

  // Loads `file` and keeps it as the file the changes are saved to.
  bool LoadFile(const std::string& file, std::string& error);
  // Keeps `file` as the persistence target; the current tree is written there by the next Flush.
  void AttachFile(const std::string& file);
  // Writes the tree now (temporary file + rename) unless the file already holds it. No-op without a file.
  bool Save(std::string& error) const;
  // Called once after a change while no save is pending: the owner then calls Flush soon (after
  // the events being handled). Without one, changes wait for an explicit Flush.
  void SetSaveScheduler(std::function<void()> scheduler) { saveScheduler_ = std::move(scheduler); }
  // Saves what changed since the last save. When it cannot be written the file stays as it was,
  // the changes stay in the tree for this run and go with the next save, and the listener is told.
  bool Flush();
  bool HasUnsavedChanges() const { return dirty_; }
  // "PATH: reason" of the last save when it failed; empty once a save succeeded.
  const std::string& lastSaveError() const { return lastSaveError_; }
  // Told "file: reason" when a save failed; a failure that repeats is told once.
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
  // Marks the tree unsaved and asks for a save.
  void Changed();

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
  bool dirty_ = false;
  bool saveScheduled_ = false;
  std::function<void()> saveScheduler_;
  std::function<void(const std::string&)> writeFailureListener_;
};

}  // namespace nxui::sim
