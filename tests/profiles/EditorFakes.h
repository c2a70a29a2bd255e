// Stand-ins for what the profile editor reads from the adapter and asks of its window.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "profiles/IProfileEditorEnvironment.h"
#include "profiles/IProfileEditorWindow.h"

namespace nxui::test {

class FakeEditorEnvironment final : public IProfileEditorEnvironment {
 public:
  OsGeneration Os() const override { return os; }
  bool AdapterReady() const override { return ready; }
  bool AdhocSupportsRsnaPskCcmp() override {
    ++adhocQueries;
    return adhocWpa2Psk;
  }
  int WirelessMode() override { return wirelessMode; }
  std::span<const std::uint8_t> LastScan() override { return scan; }
  bool ReadCcx2Control(std::uint32_t& value) override {
    if (!ccxReadable) return false;
    value = ccx;
    return true;
  }

  OsGeneration os = kOsVista;
  bool ready = true;
  bool adhocWpa2Psk = false;
  int adhocQueries = 0;
  int wirelessMode = 0;
  std::vector<std::uint8_t> scan = std::vector<std::uint8_t>(4, 0);
  bool ccxReadable = true;
  std::uint32_t ccx = 0;
};

class RecordingEditorWindow final : public IProfileEditorWindow {
 public:
  int ShowMessage(const std::string& text) override {
    messages.push_back(text);
    return 1;
  }
  bool Confirm(const std::string& text) override {
    questions.push_back(text);
    return confirmAnswer;
  }
  void ShowHint(EditorField field, const std::string& text) override { hints.emplace_back(field, text); }
  void ShowEditorPanel() override { ++shown; }
  void CloseEditorPanel(bool saved) override { closed.push_back(saved); }

  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::vector<std::pair<EditorField, std::string>> hints;
  bool confirmAnswer = false;
  int shown = 0;
  std::vector<bool> closed;
};

}  // namespace nxui::test
