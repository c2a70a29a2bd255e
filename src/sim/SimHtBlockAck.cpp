#include "sim/SimHtBlockAck.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>

#include <nlohmann/json.hpp>

#include "base/AtomicFile.h"
#include "sim/ScenarioLoader.h"

namespace nxui::sim {
namespace {

constexpr std::size_t kMaxPeers = 32;

// A member of the kept file; a missing one or one of another type gives `fallback`.
int IntMember(const nlohmann::json& object, const char* key, int fallback) {
  const auto it = object.find(key);
  return it != object.end() && it->is_number_integer() ? it->get<int>() : fallback;
}
bool BoolMember(const nlohmann::json& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() && it->is_boolean() && it->get<bool>();
}
std::string TextMember(const nlohmann::json& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

template <typename T>
void Write(std::span<std::uint8_t> out, const T& record, DWORD& written) {
  std::memcpy(out.data(), &record, sizeof record);
  written = sizeof record;
}

template <typename T>
T Read(std::span<const std::uint8_t> in) {
  T record;
  std::memcpy(&record, in.data(), sizeof record);
  return record;
}

}  // namespace

void SimHtBlockAck::Start(std::optional<std::uint32_t> baCapability) {
  config_ = HtConfigRecord{32, 32, 1, 0, 1, 0, 3, 1};
  if (baCapability) {
    const std::uint32_t v = *baCapability;
    config_ = HtConfigRecord{static_cast<std::uint8_t>(v),
                             static_cast<std::uint8_t>(v >> 8),
                             static_cast<std::uint8_t>((v >> 17) & 3),
                             static_cast<std::uint8_t>((v >> 19) & 7),
                             static_cast<std::uint8_t>((v >> 22) & 1),
                             static_cast<std::uint8_t>((v >> 23) & 1),
                             static_cast<std::uint8_t>((v >> 24) & 3),
                             static_cast<std::uint8_t>((v >> 16) & 1)};
  }
  sessions_.clear();
  automaticMade_ = false;
  pendingPeer_.reset();
  link_ = CurrentLink();
  Save();
}

void SimHtBlockAck::Stop() {
  sessions_.clear();
  automaticMade_ = false;
  pendingPeer_.reset();
  Save();
}

void SimHtBlockAck::AttachStateFile(std::filesystem::path file) {
  stateFile_ = std::move(file);
  savedText_.clear();
  // A missing file says what an empty table without a link says: a first start on a fresh state
  // folder writes nothing (an fsync before the first window) until there are sessions or a link.
  std::error_code error;
  if (!std::filesystem::exists(stateFile_, error) && !error) savedText_ = StateText(Link{}, false, {});
  LoadPending();
  Follow();
}

void SimHtBlockAck::AssociationChanged() { Follow(); }

const std::vector<SimHtBlockAck::Session>& SimHtBlockAck::Sessions() {
  Follow();
  return sessions_;
}

SimHtBlockAck::Link SimHtBlockAck::CurrentLink() const {
  Link link;
  if (association_.connected && association_.network) {
    link.connected = true;
    link.bssid = association_.bssid;
    link.since = association_.connectTimeMs;
  }
  return link;
}

void SimHtBlockAck::Follow() {
  const Link now = CurrentLink();
  if (!(now == link_)) {
    sessions_.clear();
    automaticMade_ = false;
    if (now.connected && pendingPeer_) {
      // The first link of this run: the sessions an earlier run left, when it is the same peer.
      if (*pendingPeer_ == now.bssid) {
        sessions_ = pendingSessions_;
        automaticMade_ = pendingAutomaticMade_;
      }
      pendingPeer_.reset();
    }
    link_ = now;
  }
  const bool htAccessPoint =
      now.connected && association_.network->bssType == BssKind::Infrastructure && association_.network->phy == Phy::N;
  if (htAccessPoint && AutomaticOn() && !automaticMade_) {
    AddIfMissing({0, now.bssid, 0, config_.baByte0, true});
    AddIfMissing({1, now.bssid, 0, config_.baByte1, true});
    automaticMade_ = true;
  }
  Save();
}

void SimHtBlockAck::AddIfMissing(const Session& session) {
  const bool present = std::any_of(sessions_.begin(), sessions_.end(), [&](const Session& s) {
    return s.direction == session.direction && s.peer == session.peer && s.tid == session.tid;
  });
  if (!present) sessions_.push_back(session);
}

std::vector<SimHtBlockAck::Mac> SimHtBlockAck::Peers() const {
  std::vector<Mac> peers;
  if (!link_.connected || !association_.network) return peers;
  if (association_.network->bssType == BssKind::Independent) {
    for (const MacAddress& mac : association_.network->peers) {
      if (peers.size() < kMaxPeers) peers.push_back(mac);
    }
  } else {
    peers.push_back(link_.bssid);
  }
  return peers;
}

bool SimHtBlockAck::QueryHtConfig(std::span<std::uint8_t> out, DWORD& written) {
  Write(out, config_, written);
  return true;
}

bool SimHtBlockAck::SetHtConfig(std::span<const std::uint8_t> in) {
  const bool wasAutomatic = AutomaticOn();
  config_ = Read<HtConfigRecord>(in);
  if (!AggregationOn()) {
    // Nothing is acknowledged in blocks without aggregation.
    sessions_.clear();
    automaticMade_ = false;
  } else if (AutomaticOn() && !wasAutomatic) {
    // Automatic setup switched on: the link gets its sessions again where they are missing. Manual
    // setup leaves the sessions there are; it only sets up no more of its own.
    automaticMade_ = false;
  }
  Follow();
  return true;
}

bool SimHtBlockAck::QueryBlockAckTable(std::span<std::uint8_t> out, DWORD& written) {
  Follow();
  BaTable table{};
  for (const Session& s : sessions_) {
    BaEntry* entries = s.direction == 0 ? table.originator : table.recipient;
    std::uint8_t& count = s.direction == 0 ? table.originatorCount : table.recipientCount;
    BaEntry* entry = nullptr;
    for (std::uint8_t i = 0; i < count; ++i) {
      if (std::memcmp(entries[i].peer, s.peer.data(), 6) == 0) entry = &entries[i];
    }
    if (entry == nullptr) {
      if (count >= 32) continue;
      entry = &entries[count++];
      std::memcpy(entry->peer, s.peer.data(), 6);
    }
    const auto tid = static_cast<std::size_t>(s.tid);
    entry->tidBitmap = static_cast<std::uint8_t>(entry->tidBitmap | (1u << tid));
    entry->tidValue[tid] = s.windowSize;
    entry->tidWord[tid] = s.windowSize;
  }
  Write(out, table, written);
  return true;
}

bool SimHtBlockAck::SetBlockAckAdd(std::span<const std::uint8_t> in) {
  Follow();
  const BaRequest r = Read<BaRequest>(in);
  Mac peer;
  std::memcpy(peer.data(), r.peer, 6);
  const std::vector<Mac> peers = Peers();
  // Only an originator session, for a real TID, with a peer of the link, while aggregating.
  if (r.direction != 0 || r.tid > 7 || !AggregationOn() || std::find(peers.begin(), peers.end(), peer) == peers.end()) {
    return false;
  }
  std::erase_if(sessions_, [&](const Session& s) { return s.direction == 0 && s.peer == peer && s.tid == r.tid; });
  sessions_.push_back({0, peer, r.tid, r.windowSize, false});
  Save();
  return true;
}

bool SimHtBlockAck::SetBlockAckDelete(std::span<const std::uint8_t> in) {
  Follow();
  const BaRequest r = Read<BaRequest>(in);
  if (r.tid > 7 || r.direction > 1) return false;
  Mac peer;
  std::memcpy(peer.data(), r.peer, 6);
  // Byte 12 non-zero: every session of that direction with the peer.
  std::erase_if(sessions_, [&](const Session& s) {
    return s.direction == r.direction && s.peer == peer && (r.deleteAll != 0 || s.tid == r.tid);
  });
  Save();
  return true;
}

bool SimHtBlockAck::QueryPeerList(std::span<std::uint8_t> out, DWORD& written) {
  Follow();
  PeerList list{};
  for (const Mac& peer : Peers()) std::memcpy(list.entries[list.count++].mac, peer.data(), 6);
  Write(out, list, written);
  return true;
}

std::string SimHtBlockAck::StateText(const Link& link, bool automaticMade, const std::vector<Session>& sessions) {
  nlohmann::ordered_json document;
  document["link"] = link.connected ? MacText(link.bssid) : "";
  document["automaticMade"] = automaticMade;
  nlohmann::ordered_json entries = nlohmann::ordered_json::array();
  for (const Session& s : sessions) {
    entries.push_back({{"direction", s.direction},
                       {"peer", MacText(s.peer)},
                       {"tid", s.tid},
                       {"windowSize", s.windowSize},
                       {"automatic", s.automatic}});
  }
  document["sessions"] = std::move(entries);
  return document.dump(2) + "\n";
}

void SimHtBlockAck::Save() {
  if (stateFile_.empty()) return;
  const std::string text = StateText(link_, automaticMade_, sessions_);
  // Written only when it changes: the table is asked for every second.
  if (text == savedText_) return;
  std::string error;
  if (!WriteFileAtomically(stateFile_, text, FileSecrecy::Secret, error)) {
    lastSaveError_ = error;
    return;
  }
  savedText_ = text;
  lastSaveError_.clear();
}

void SimHtBlockAck::LoadPending() {
  pendingPeer_.reset();
  pendingSessions_.clear();
  std::ifstream in(stateFile_);
  if (!in) return;
  // A file that cannot be used leaves the driver without sessions.
  const nlohmann::json document = nlohmann::json::parse(in, nullptr, false);
  if (document.is_discarded() || !document.is_object()) return;
  const auto sessions = document.find("sessions");
  if (sessions == document.end() || !sessions->is_array()) return;
  const std::optional<Mac> peer = ParseMac(TextMember(document, "link"));
  if (!peer) return;
  for (const auto& entry : *sessions) {
    if (!entry.is_object()) return;
    const int direction = IntMember(entry, "direction", -1);
    const int tid = IntMember(entry, "tid", -1);
    const int window = IntMember(entry, "windowSize", -1);
    const std::optional<Mac> sessionPeer = ParseMac(TextMember(entry, "peer"));
    if (direction < 0 || direction > 1 || tid < 0 || tid > 7 || window < 0 || window > 255 || !sessionPeer) return;
    pendingSessions_.push_back(
        {direction, *sessionPeer, tid, static_cast<std::uint8_t>(window), BoolMember(entry, "automatic")});
  }
  pendingPeer_ = *peer;
  pendingAutomaticMade_ = BoolMember(document, "automaticMade");
}

}  // namespace nxui::sim
