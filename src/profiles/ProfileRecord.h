// One connection profile of the utility's own store: a name and 53 text values, every number held
// as its decimal text exactly as the store files keep it. `kProfileKeys` is the key table in the
// order the store blanks and copies a whole profile.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace nxui {

struct ProfileRecord {
  std::string name;  // the section name

  std::string acPowerCam;
  std::string authenProtocol;
  std::string authMode;
  std::string channel;
  std::string clientCertData;
  std::string clientCertLen;
  std::string cipherMode;
  std::string fragThresh;
  std::string id;
  std::string intermediateCert;
  std::string leapEnabled;
  std::string leapEncryType;
  std::string leapPassword;
  std::string leapUserName;
  std::string leapDomainName;
  std::string nameRule;
  std::string networkType;
  std::string password;
  std::string passwordMode;
  std::string preambleType;
  std::string provisioningTunnel;
  std::string provisionMode;
  std::string psMode;
  std::string rtsThresh;
  std::string serverCertData;
  std::string serverCertLen;
  std::string serverName;
  std::string sessionResumption;
  std::string ssid;
  std::string tunnelID;
  std::string tunnelPassword;
  std::string tunnelProtocol;
  std::string domainName;
  std::string txPower;
  std::string use8021X;
  std::string useClientCert;
  std::string useFrag;
  std::string usePAC;
  std::string useRts;
  std::string useServerCert;
  std::string wepKey1;
  std::string wepKey1Type;
  std::string wepKey2;
  std::string wepKey2Type;
  std::string wepKey3;
  std::string wepKey3Type;
  std::string wepKey4;
  std::string wepKey4Type;
  std::string wepKeyUse;
  std::string wpaPsk;
  std::string activeTime;
  std::string pacFilePath;
  std::string ssidInHex;

  friend bool operator==(const ProfileRecord&, const ProfileRecord&) = default;
};

struct ProfileKeyInfo {
  std::string_view key;
  std::string ProfileRecord::*member;
};

inline constexpr std::size_t kProfileKeyCount = 53;

// The key table, in its fixed order.
inline constexpr std::array<ProfileKeyInfo, kProfileKeyCount> kProfileKeys{{
    ProfileKeyInfo{"ACPowerCam", &ProfileRecord::acPowerCam},
    ProfileKeyInfo{"AuthenProtocol", &ProfileRecord::authenProtocol},
    ProfileKeyInfo{"AuthMode", &ProfileRecord::authMode},
    ProfileKeyInfo{"Channel", &ProfileRecord::channel},
    ProfileKeyInfo{"ClientCertData", &ProfileRecord::clientCertData},
    ProfileKeyInfo{"ClientCertLen", &ProfileRecord::clientCertLen},
    ProfileKeyInfo{"CipherMode", &ProfileRecord::cipherMode},
    ProfileKeyInfo{"FragThresh", &ProfileRecord::fragThresh},
    ProfileKeyInfo{"ID", &ProfileRecord::id},
    ProfileKeyInfo{"IntermediateCert", &ProfileRecord::intermediateCert},
    ProfileKeyInfo{"LeapEnabled", &ProfileRecord::leapEnabled},
    ProfileKeyInfo{"LeapEncryType", &ProfileRecord::leapEncryType},
    ProfileKeyInfo{"LeapPassword", &ProfileRecord::leapPassword},
    ProfileKeyInfo{"LeapUserName", &ProfileRecord::leapUserName},
    ProfileKeyInfo{"LeapDomainName", &ProfileRecord::leapDomainName},
    ProfileKeyInfo{"NameRule", &ProfileRecord::nameRule},
    ProfileKeyInfo{"NetworkType", &ProfileRecord::networkType},
    ProfileKeyInfo{"Password", &ProfileRecord::password},
    ProfileKeyInfo{"PasswordMode", &ProfileRecord::passwordMode},
    ProfileKeyInfo{"PreambleType", &ProfileRecord::preambleType},
    ProfileKeyInfo{"ProvisioningTunnel", &ProfileRecord::provisioningTunnel},
    ProfileKeyInfo{"ProvisionMode", &ProfileRecord::provisionMode},
    ProfileKeyInfo{"PSMode", &ProfileRecord::psMode},
    ProfileKeyInfo{"RtsThresh", &ProfileRecord::rtsThresh},
    ProfileKeyInfo{"ServerCertData", &ProfileRecord::serverCertData},
    ProfileKeyInfo{"ServerCertLen", &ProfileRecord::serverCertLen},
    ProfileKeyInfo{"ServerName", &ProfileRecord::serverName},
    ProfileKeyInfo{"SessionResumption", &ProfileRecord::sessionResumption},
    ProfileKeyInfo{"SSID", &ProfileRecord::ssid},
    ProfileKeyInfo{"TunnelID", &ProfileRecord::tunnelID},
    ProfileKeyInfo{"TunnelPassword", &ProfileRecord::tunnelPassword},
    ProfileKeyInfo{"TunnelProtocol", &ProfileRecord::tunnelProtocol},
    ProfileKeyInfo{"DomainName", &ProfileRecord::domainName},
    ProfileKeyInfo{"TXPower", &ProfileRecord::txPower},
    ProfileKeyInfo{"Use8021X", &ProfileRecord::use8021X},
    ProfileKeyInfo{"UseClientCert", &ProfileRecord::useClientCert},
    ProfileKeyInfo{"UseFrag", &ProfileRecord::useFrag},
    ProfileKeyInfo{"UsePAC", &ProfileRecord::usePAC},
    ProfileKeyInfo{"UseRts", &ProfileRecord::useRts},
    ProfileKeyInfo{"UseServerCert", &ProfileRecord::useServerCert},
    ProfileKeyInfo{"WEPKey1", &ProfileRecord::wepKey1},
    ProfileKeyInfo{"WEPKey1Type", &ProfileRecord::wepKey1Type},
    ProfileKeyInfo{"WEPKey2", &ProfileRecord::wepKey2},
    ProfileKeyInfo{"WEPKey2Type", &ProfileRecord::wepKey2Type},
    ProfileKeyInfo{"WEPKey3", &ProfileRecord::wepKey3},
    ProfileKeyInfo{"WEPKey3Type", &ProfileRecord::wepKey3Type},
    ProfileKeyInfo{"WEPKey4", &ProfileRecord::wepKey4},
    ProfileKeyInfo{"WEPKey4Type", &ProfileRecord::wepKey4Type},
    ProfileKeyInfo{"WEPKeyUse", &ProfileRecord::wepKeyUse},
    ProfileKeyInfo{"WPAPSK", &ProfileRecord::wpaPsk},
    ProfileKeyInfo{"ActiveTime", &ProfileRecord::activeTime},
    ProfileKeyInfo{"PACFilePath", &ProfileRecord::pacFilePath},
    ProfileKeyInfo{"SSID_inHex", &ProfileRecord::ssidInHex},
}};

}  // namespace nxui
