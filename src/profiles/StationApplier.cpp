#include "profiles/StationApplier.h"

#include "adapter/AdapterRegistry.h"
#include "adapter/DesiredRates.h"
#include "adapter/DriverNames.h"
#include "adapter/Oids.h"
#include "adapter/WirelessMode.h"
#include "base/ByteReader.h"
#include "profiles/ConnectionSettingsBuilder.h"
#include "wlan/WlanSession.h"

namespace nxui {

int AdhocOfdmMode(int wirelessMode) {
  switch (wirelessMode) {
    case kModeBgMixed:
      return 1;
    case kModeBOnly:
      return 0;
    case kModeAOnly:
      return 3;
    case kModeAbgMixed:
      return 4;
    case kModeGOnly:
      return 2;
    default:
      return wirelessMode;
  }
}

StationApplier::StationApplier(ProfileStore& store, IRegistry& registry, const AdapterContext& context,
                               DriverRequestPort& driver, WlanSession& session, IStationHost& host,
                               IWpsStationStore& wps)
    : store_(store),
      registry_(registry),
      context_(context),
      driver_(driver),
      session_(session),
      host_(host),
      wps_(wps) {}

void StationApplier::ReadRadioParameters(int atStartup, int keepWirelessMode, ConnectionSettings& record) {
  const AdapterRegistry key(registry_, context_.classKeyPath);
  key.ReadRaw32(reg_value::kCcx2Control, record.ccxControl);

  int storedMode = 0;
  key.ReadDecimal(reg_value::kWirelessMode, storedMode);
  const int mode = NormaliseWirelessMode(storedMode, host_.Supports5GHz(), context_.is11n);

  if (atStartup == 1) {
    record.useRegistryRadio = 1;
    record.keepWirelessMode = keepWirelessMode;
    // The driver gets the mode as the key holds it; rates and B/G protection follow the mode the
    // adapter can use (the queue picks the rate set the same way).
    record.wirelessMode = storedMode;
    if (context_.is11n) key.ReadRaw32(reg_value::kTransmitSetting, record.transmitSetting);
    int region = 0;
    int regionA = 0;
    key.ReadDecimal(reg_value::kCountryRegion, region);
    key.ReadDecimal(reg_value::kCountryRegionABand, regionA);
    record.regionWord = static_cast<std::uint32_t>(region + 256 * regionA);

    // Words 4 to 7 are the driver's own; the first four come from the key.
    std::array<std::uint8_t, 32> words{};
    if (driver_.Query(OID_WLAN_PHY_CONFIG, words)) {
      for (std::size_t i = 0; i < 8; ++i) record.phyConfig[i] = LoadLe32(words.data() + 4 * i);
    }
    for (std::size_t i = 0; i < reg_value::kPhyConfigWords.size(); ++i) {
      int value = 0;
      key.ReadDecimal(reg_value::kPhyConfigWords[i], value);
      record.phyConfig[i] = static_cast<std::uint32_t>(value);
    }
    if (mode != kModeBgMixed && mode != kModeAbgMixed) record.phyConfig[2] = 0;
    key.ReadDecimal(reg_value::kTransRate, record.transRate);
    record.desiredRates = DesiredRatesFromRegistry(key, mode, context_.is11n);
  } else {
    record.useRegistryRadio = 0;
  }
  key.WriteDecimal("AdhocOfdm", AdhocOfdmMode(mode));
}

void StationApplier::ApplyStation(int atStartup, int platformFor8021X, int keepWirelessMode) {
  host_.SetWpsInForce(false);
  auto record = std::make_unique<ConnectionSettings>();

  const IWpsStationStore::Loaded wps = wps_.Load();
  host_.SetWpsInForce(wps.inForce);

  ReadRadioParameters(atStartup, keepWirelessMode, *record);

  profileDriven_ = false;
  const StoreFileSnapshot station = store_.ReadStationFile();
  if (host_.WpsInForce()) {
    if (wps.credentials > 0) {
      wps_.ConnectWithCredential();
      host_.StartWpsCredentialTimer();
    }
  } else {
    profileDriven_ = true;
    ConnectionBuildInputs inputs;
    inputs.adapterReady = host_.AdapterReady();
    inputs.driverVersion = host_.DriverVersion();
    inputs.currentBssid = [this](std::array<std::uint8_t, 6>& bssid) {
      Dot11MacAddress current{};
      if (session_.CurrentBssid(current) != kErrorSuccess) return false;
      std::copy(current.begin(), current.end(), bssid.begin());
      return true;
    };
    BuildConnectionSettings(station, inputs, *record);
    // LEAP runs over WEP unless the CCX word allows it with the profile's own cipher.
    const bool cipherAllowed = record->cipherMode == CipherMode::kWep || record->cipherMode == CipherMode::kTkip ||
                               record->cipherMode == CipherMode::kAes;
    if (record->leapEnabled != 0 && !((record->ccxControl & 1) != 0 && cipherAllowed)) {
      record->cipherMode = CipherMode::kWep;
    }
  }

  const bool oneXInDriverOnly = platformFor8021X == 0 && ParseDecimal(station.Value(kStationSection, "Use8021X")) != 0;
  record->fromProfile = (host_.WpsInForce() || oneXInDriverOnly) ? 0 : 1;

  last_ = std::make_unique<ConnectionSettings>(*record);
  host_.QueueConnect(std::move(record));
}

}  // namespace nxui
