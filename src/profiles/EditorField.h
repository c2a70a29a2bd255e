// The edits of the profile editor and its credential panel that a validation hint can point at.
// The shell turns a field into the control its hint window is anchored to.
#pragma once

namespace nxui {

enum class EditorField {
  ProfileName,
  Ssid,
  Channel,
  RtsThreshold,
  FragThreshold,
  PreSharedKey,
  WepKey1,
  WepKey2,
  WepKey3,
  WepKey4,
  LeapIdentity,
  LeapPassword,
  LeapDomain,
  PeapIdentity,
  PeapPassword,
};

// The edit of WEP key `index` (0..3).
constexpr EditorField WepKeyField(int index) {
  return static_cast<EditorField>(static_cast<int>(EditorField::WepKey1) + index);
}

}  // namespace nxui
