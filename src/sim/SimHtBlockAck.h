// The simulated driver's 802.11n part: the HT configuration it was given ("BACapability" at start,
// then OID_WLAN_HT_CONFIG), its Block Ack sessions as originator and as recipient, and the peer
// list (the access point of the link, or the stations of an ad hoc network).
//
// Sessions live with the link they were made on: when the association ends or moves to another
// access point they are gone. With automatic setup and aggregation on, a link to an 802.11n access
// point gets a TID 0 session each way (windows: the record's bytes 0 and 1); switching to manual
// setup keeps the sessions there are and sets up no more, and the add and delete requests do the
// rest. Without aggregation there are none. The sessions are also kept in a file of the state
// directory, so that a later run of the simulated machine finds the driver as it was left, as a
// real driver outlives the program: they come back when that run's first link is to the same
// access point. A driver that restarts (plug) forgets them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "adapter/DriverRecords.h"
#include "platform/WinTypes.h"
#include "sim/SimAssociation.h"

namespace nxui::sim {

class SimHtBlockAck {
 public:
  using Mac = std::array<std::uint8_t, 6>;
  struct Session {
    int direction = 0;  // 0 originator, 1 recipient
    Mac peer{};
    int tid = 0;
    std::uint8_t windowSize = 0;
    bool automatic = false;

    bool operator==(const Session&) const = default;
  };

  explicit SimHtBlockAck(const SimAssociation& association) : association_(association) {}

  // Driver start: the configuration from "BACapability" (defaults without one), no sessions.
  void Start(std::optional<std::uint32_t> baCapability);
  // Driver stop: no sessions.
  void Stop();
  // Keeps the sessions in `file` from now on; what an earlier run left there waits for the first
  // link. An empty path keeps them in memory only.
  void AttachStateFile(std::filesystem::path file);
  // The WLAN service changed the association.
  void AssociationChanged();

  // The OIDs it serves; records have at least their catalogue length.
  bool QueryHtConfig(std::span<std::uint8_t> out, DWORD& written);
  bool SetHtConfig(std::span<const std::uint8_t> in);
  bool QueryBlockAckTable(std::span<std::uint8_t> out, DWORD& written);
  bool SetBlockAckAdd(std::span<const std::uint8_t> in);
  bool SetBlockAckDelete(std::span<const std::uint8_t> in);
  bool QueryPeerList(std::span<std::uint8_t> out, DWORD& written);

  // Test API.
  const HtConfigRecord& Config() const { return config_; }
  const std::vector<Session>& Sessions();
  const std::string& LastSaveError() const { return lastSaveError_; }

 private:
  struct Link {
    bool connected = false;
    Mac bssid{};
    std::uint64_t since = 0;
    bool operator==(const Link&) const = default;
  };
  Link CurrentLink() const;
  // Follows the association: a new link drops the old link's sessions; an 802.11n access point
  // gets its automatic sessions.
  void Follow();
  std::vector<Mac> Peers() const;
  void AddIfMissing(const Session& session);
  bool AggregationOn() const { return config_.mpduAggregation == 1; }
  bool AutomaticOn() const { return config_.autoBa == 1 && AggregationOn(); }
  void Save();
  // The state file's text for a link and its sessions.
  static std::string StateText(const Link& link, bool automaticMade, const std::vector<Session>& sessions);
  void LoadPending();

  const SimAssociation& association_;
  HtConfigRecord config_{32, 32, 1, 0, 1, 0, 3, 1};
  std::vector<Session> sessions_;
  Link link_;
  bool automaticMade_ = false;  // for this link
  std::filesystem::path stateFile_;
  std::string savedText_;
  std::string lastSaveError_;
  // Left by an earlier run, for the first link to `pendingPeer_`.
  std::optional<Mac> pendingPeer_;
  std::vector<Session> pendingSessions_;
  bool pendingAutomaticMade_ = false;
};

}  // namespace nxui::sim
