// Everything the link status panel shows, as its view and the command line render it.
#pragma once

#include <array>
#include <string>

#include "display/BarGraphState.h"
#include "display/PercentBarState.h"

namespace nxui {

struct LinkStatusLabels {
  std::string status, extraInfo, channel, authentication, encryption, networkType;
  std::string ipAddress, subMask, gateway;
  std::string transmit, receive;  // separators
  std::string txLinkSpeed, txThroughput, rxLinkSpeed, rxThroughput;
  std::string htCaption, bandwidth, guardInterval, stbc, mcs, snr0, snr1;

  bool operator==(const LinkStatusLabels&) const = default;
};

struct LinkStatusTexts {
  std::string status, extraInfo, channel, authentication, encryption, networkType;
  std::string ipAddress, subMask, gateway;
  std::string txRate, txThroughput, rxRate, rxThroughput;

  bool operator==(const LinkStatusTexts&) const = default;
};

struct HtGroupState {
  bool visible = false;      // 802.11n adapters only
  bool stbcVisible = false;  // never shown
  std::string bandwidth, guardInterval, stbc, mcs, snr0, snr1;

  bool operator==(const HtGroupState&) const = default;
};

enum LinkBar : std::size_t { kQualityBar = 0, kSignal1Bar, kSignal2Bar, kSignal3Bar, kNoiseBar, kLinkBarCount };

struct LinkStatusState {
  LinkStatusLabels labels;
  LinkStatusTexts texts;
  std::array<PercentBarState, kLinkBarCount> bars;
  HtGroupState ht;
  BarGraphState txGraph;
  BarGraphState rxGraph;
  bool timerRunning = false;

  bool operator==(const LinkStatusState&) const = default;
};

}  // namespace nxui
