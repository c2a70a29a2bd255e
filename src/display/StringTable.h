// The user texts of the program in English and Chinese, looked up by id. Ids below 60000 are the
// resource ids the texts have always had; texts that never had one got ids of our own from 60000
// up, grouped by the page that shows them. Texts the program always shows in Chinese (status
// words, a few captions) are the same in both languages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nxui {

using StringId = std::uint32_t;

enum class Language { kEnglish, kChinese };

namespace string_id {
// Resource ids.
inline constexpr StringId kDriverVersion = 1;
inline constexpr StringId kDate = 2;
inline constexpr StringId kPhyAddress = 3;
inline constexpr StringId kUtilityVersion = 4;
inline constexpr StringId kStatusLabel = 12;
inline constexpr StringId kWpsProgress = 62;  // "%d%%"
inline constexpr StringId kCaption = 102;
inline constexpr StringId kNoSelectedItem = 109;
inline constexpr StringId kMakerWebAddress = 128;
inline constexpr StringId kOpen = 146;
inline constexpr StringId kPageNetwork = 182;
inline constexpr StringId kPageStatistics = 183;
inline constexpr StringId kPageAbout = 184;
inline constexpr StringId kPleaseEnterSsid = 191;
inline constexpr StringId kTrayNotExist = 202;
inline constexpr StringId kTrayWeak = 203;  // "%s" = SSID
inline constexpr StringId kEepromVersion = 231;
inline constexpr StringId kLeapNeedsIdAndPassword = 309;
inline constexpr StringId kTrayWepError = 313;
inline constexpr StringId kPageSso = 383;
inline constexpr StringId kMore = 408;
inline constexpr StringId kLess = 409;
inline constexpr StringId kFirmwareVersion = 1244;
inline constexpr StringId kOk = 2132;
inline constexpr StringId kPageProfile = 2180;
inline constexpr StringId kTrayGood = 2199;  // "%s" = SSID
inline constexpr StringId kTrayDisconnected = 2200;
inline constexpr StringId kTrayNormal = 2201;  // "%s" = SSID
inline constexpr StringId kPageWps = 6278;
inline constexpr StringId kPage80211n = 6285;

// Our own ids. Driver last-event texts: kLastEventBase + event code (0..10).
inline constexpr StringId kOwnIdBase = 60000;
inline constexpr StringId kLastEventBase = 60000;
inline constexpr StringId kLastEventCount = 11;
// Authentication mode texts: kAuthModeBase + AuthMode (0..7).
inline constexpr StringId kAuthModeBase = 60100;
// Encryption texts: kCipherModeBase + CipherMode (0, 1, 4, 6).
inline constexpr StringId kCipherModeBase = 60110;
// Network type texts: kNetworkTypeBase + NetworkType (0..2).
inline constexpr StringId kNetworkTypeBase = 60120;

// Profile page.
inline constexpr StringId kLeap = 60130;
inline constexpr StringId kUse8021XSuffix = 60131;
inline constexpr StringId kProfileInUse = 60132;
inline constexpr StringId kUsePlatformProfileFor8021X = 60133;
inline constexpr StringId kDuplicateProfileName = 60134;
inline constexpr StringId kCreateAnotherProfile = 60135;
inline constexpr StringId kPleaseEnterProfileName = 60136;
inline constexpr StringId kProfileStoreWriteFailed = 60140;  // "%s" = "file: reason"
inline constexpr StringId kProfileNameInvalidCharacters = 60141;
inline constexpr StringId kProfileNotFound = 60142;  // "%s" = profile name
inline constexpr StringId kProfileList = 60150;
inline constexpr StringId kColumnName = 60151;
inline constexpr StringId kColumnSsid = 60152;
inline constexpr StringId kProfileNameLabel = 60153;
inline constexpr StringId kSsidLabel = 60154;
inline constexpr StringId kNetworkTypeLabel = 60155;
inline constexpr StringId kAuthenticationLabel = 60156;
inline constexpr StringId kEncryptionLabel = 60157;
inline constexpr StringId kUse8021XLabel = 60158;
inline constexpr StringId kTxPowerLabel = 60159;
inline constexpr StringId kChannelLabel = 60160;
inline constexpr StringId kPowerSaveModeLabel = 60161;
inline constexpr StringId kRtsThresholdLabel = 60162;
inline constexpr StringId kFragmentThresholdLabel = 60163;
inline constexpr StringId kAdd = 60164;
inline constexpr StringId kEdit = 60165;
inline constexpr StringId kDelete = 60166;
inline constexpr StringId kApply = 60167;
inline constexpr StringId kLeapWep = 60168;
inline constexpr StringId kLeapWpaTkip = 60169;
inline constexpr StringId kLeapWpa2Aes = 60170;

// Built-in Chinese words (identical in both tables).
inline constexpr StringId kTxPowerAuto = 60200;
inline constexpr StringId kTxPowerLowest = 60201;
inline constexpr StringId kNo = 60202;
inline constexpr StringId kYes = 60203;
inline constexpr StringId kRadioOnOff = 60204;
inline constexpr StringId kSortLabel = 60205;
inline constexpr StringId kMacAddressColumn = 60206;
inline constexpr StringId kInUse = 60207;
inline constexpr StringId kNone = 60208;
inline constexpr StringId kPreambleLong = 60209;
inline constexpr StringId kPreambleShort = 60210;
inline constexpr StringId kWpsNotUsed = 60211;
inline constexpr StringId kWpsIdle = 60212;
inline constexpr StringId kWpsNotConnected = 60213;
inline constexpr StringId kRiskyConfiguration = 60214;

// Profile editor and security tab.
inline constexpr StringId kSystemConfig = 60250;
inline constexpr StringId kAuthEncry = 60251;
inline constexpr StringId kPreambleLabel = 60252;
inline constexpr StringId kUseRtsThreshold = 60253;
inline constexpr StringId kUseFragmentThreshold = 60254;
inline constexpr StringId kCancel = 60255;
inline constexpr StringId kInvalidWpaPsk = 60256;
inline constexpr StringId kWepKeyHexLength = 60257;
inline constexpr StringId kWepKeyAsciiLength = 60258;
inline constexpr StringId kIdentityLabel = 60259;
inline constexpr StringId kPasswordLabel = 60260;
inline constexpr StringId kDomainNameLabel = 60261;
inline constexpr StringId kWpaPreSharedKeyLabel = 60262;
inline constexpr StringId kShowPassword = 60263;
inline constexpr StringId kMustInputIdentity = 60264;
inline constexpr StringId kMustInputPassword = 60265;
inline constexpr StringId kEnterNewPassword = 60266;
inline constexpr StringId kEnterNewPasswordDescription = 60267;
inline constexpr StringId kEnterNewUserAndPassword = 60268;
inline constexpr StringId kEnterNewUserAndPasswordDescription = 60269;
inline constexpr StringId kPeapOneTimePassword = 60270;
inline constexpr StringId kPeapOneTimePasswordDescription = 60271;
inline constexpr StringId kIdentity = 60272;
inline constexpr StringId kPassword = 60273;
inline constexpr StringId kTunnelIdentity = 60274;
inline constexpr StringId kTunnelPassword = 60275;
inline constexpr StringId kAuthItemLeap = 60276;
inline constexpr StringId kAuthItemWpaNone = 60277;
inline constexpr StringId kKeyTypeHex = 60278;
inline constexpr StringId kKeyTypeAscii = 60279;
inline constexpr StringId kKeyNumberBase = 60280;  // + 0..3: "Key #1" .. "Key #4"
inline constexpr StringId k8021XBox = 60284;
inline constexpr StringId kAdhocButton = 60285;
inline constexpr StringId kCam = 60287;
inline constexpr StringId kPsm = 60288;

// Site survey.
inline constexpr StringId kApListLabel = 60300;
inline constexpr StringId kSortBySsid = 60301;
inline constexpr StringId kSortByChannel = 60302;
inline constexpr StringId kSortBySignal = 60303;
inline constexpr StringId kShowDbm = 60304;
inline constexpr StringId kRescan = 60305;
inline constexpr StringId kAddToProfile = 60306;
inline constexpr StringId kConnect = 60307;
inline constexpr StringId kNetworkTypeColumn = 60308;

// Link status.
inline constexpr StringId kExtraInfoLabel = 60350;
inline constexpr StringId kIpAddressLabel = 60351;
inline constexpr StringId kSubMaskLabel = 60352;
inline constexpr StringId kDefaultGatewayLabel = 60353;
inline constexpr StringId kLinkSpeedLabel = 60354;
inline constexpr StringId kThroughputLabel = 60355;
inline constexpr StringId kTransmit = 60356;
inline constexpr StringId kReceive = 60357;
inline constexpr StringId kLinkQualityBar = 60358;  // "%d%%"
inline constexpr StringId kSignal1Bar = 60359;      // "%d%%"
inline constexpr StringId kSignal2Bar = 60360;      // "%d%%"
inline constexpr StringId kSignal3Bar = 60361;      // "%d%%"
inline constexpr StringId kNoiseBar = 60362;        // "%d%%"
inline constexpr StringId kSignal1BarDbm = 60363;   // "%d dBm"
inline constexpr StringId kNoiseBarDbm = 60364;     // "%d dBm"
inline constexpr StringId kDisconnected = 60365;
inline constexpr StringId kNicNotReady = 60366;
inline constexpr StringId kAutoConfigDisabled = 60367;
inline constexpr StringId kRfOff = 60368;
inline constexpr StringId kIcvError = 60369;
inline constexpr StringId kGraphMax = 60370;
inline constexpr StringId kHtCaption = 60371;
inline constexpr StringId kBandwidthLabel = 60372;
inline constexpr StringId kGuardIntervalLabel = 60373;
inline constexpr StringId kStbcLabel = 60374;
inline constexpr StringId kMcsLabel = 60375;
inline constexpr StringId kSnr0Label = 60376;
inline constexpr StringId kSnr1Label = 60377;
inline constexpr StringId kSignal2BarDbm = 60378;  // "%d dBm"
inline constexpr StringId kSignal3BarDbm = 60379;  // "%d dBm"
inline constexpr StringId kSignal1Absent = 60380;  // a chain that reports no signal
inline constexpr StringId kSignal2Absent = 60381;
inline constexpr StringId kSignal3Absent = 60382;
inline constexpr StringId kCentralChannel = 60383;  // the channel text's suffix

// Statistics.
inline constexpr StringId kTxFramesOk = 60400;
inline constexpr StringId kTxFramesOkWithoutRetry = 60401;
inline constexpr StringId kTxFramesRetried = 60402;
inline constexpr StringId kTxFramesNoAck = 60403;
inline constexpr StringId kRtsCtsOk = 60404;
inline constexpr StringId kRtsCtsFailed = 60405;
inline constexpr StringId kRxFramesOk = 60406;
inline constexpr StringId kRxFramesCrcError = 60407;
inline constexpr StringId kRxFramesDropped = 60408;
inline constexpr StringId kRxDuplicates = 60409;
inline constexpr StringId kResetCounter = 60410;

// Authentication status.
inline constexpr StringId kAuthenticationStatus = 60450;
inline constexpr StringId kCardNameLabel = 60451;
inline constexpr StringId kMessageLabel = 60452;
inline constexpr StringId kConnectedByManual = 60453;

// WPS.
inline constexpr StringId kWpsApList = 60500;
inline constexpr StringId kWpsProfileList = 60501;
inline constexpr StringId kPin = 60502;
inline constexpr StringId kPbc = 60503;
inline constexpr StringId kConfigMode = 60504;
inline constexpr StringId kEnrollee = 60505;
inline constexpr StringId kRegistrar = 60506;
inline constexpr StringId kPinCode = 60507;
inline constexpr StringId kRenew = 60508;
inline constexpr StringId kRotate = 60509;
inline constexpr StringId kDisconnect = 60510;
inline constexpr StringId kDetail = 60511;
inline constexpr StringId kExportProfile = 60512;
inline constexpr StringId kInformation = 60513;
inline constexpr StringId kAutoSelectAp = 60514;
inline constexpr StringId kWpsStatusNotUsed = 60515;
inline constexpr StringId kAsciiFormat = 60516;
inline constexpr StringId kKeyIndexLabel = 60517;
inline constexpr StringId kKeyLengthLabel = 60518;
inline constexpr StringId kKeyMaterialLabel = 60519;
inline constexpr StringId kAuthenticationTypeLabel = 60520;
inline constexpr StringId kEncryptionTypeLabel = 60521;
inline constexpr StringId kBssidLabel = 60522;

// 802.11n.
inline constexpr StringId kMpduAggregation = 60600;
inline constexpr StringId kAmsdu = 60601;
inline constexpr StringId kMpduDensityLabel = 60602;
inline constexpr StringId kBaWindowSizeLabel = 60603;
inline constexpr StringId kManual = 60604;
inline constexpr StringId kAuto = 60605;
inline constexpr StringId kOriginatorOf = 60606;
inline constexpr StringId kRecipientOf = 60607;
inline constexpr StringId kConnectedBssidsLabel = 60608;
inline constexpr StringId kTidLabel = 60609;
inline constexpr StringId kPleaseChooseBssid = 60610;
inline constexpr StringId kPleaseEnterPositiveInteger = 60611;
inline constexpr StringId kSmPowerSave = 60612;
inline constexpr StringId kAmsduMax3839 = 60613;
inline constexpr StringId kAmsduMax7935 = 60614;
inline constexpr StringId kSmEnable = 60615;
inline constexpr StringId kStaticSmps = 60616;
inline constexpr StringId kDynamicSmps = 60617;
inline constexpr StringId kBssidColumn = 60618;
inline constexpr StringId kAddBlockAck = 60619;
inline constexpr StringId kDeleteBlockAck = 60620;
inline constexpr StringId kHtSettingsNotSaved = 60621;

// Single sign-on.
inline constexpr StringId kEnableSso = 60650;
inline constexpr StringId kSsoUseWinlogon = 60651;
inline constexpr StringId kSsoUseProfile = 60652;
inline constexpr StringId kSsoPrompt = 60653;
inline constexpr StringId kSsoProfileGroup = 60654;
inline constexpr StringId kSelectProfileLabel = 60655;
inline constexpr StringId kSelectedProfileGroup = 60656;
inline constexpr StringId kSsoNotSaved = 60657;

// Shell.
inline constexpr StringId kLaunchConfigUtilities = 60700;
inline constexpr StringId kExit = 60701;
inline constexpr StringId kNoAdministratorPrivilege = 60702;
inline constexpr StringId kSelectWirelessCard = 60703;
}  // namespace string_id

class StringTable {
 public:
  explicit StringTable(Language language);

  // `setting` is the user's choice ("en", "zh", also "zh_CN" and the like, any case); when it is
  // empty or unknown the system locale decides (a "zh" locale gives Chinese, anything else English).
  static Language ChooseLanguage(std::string_view setting, std::string_view systemLocale);

  Language language() const { return language_; }
  void SetLanguage(Language language);

  // The text of `id`; an id without a text gives an empty string.
  const std::string& LoadString(StringId id) const;

  // Whether `id` is one of the texts shown in Chinese whatever the language.
  static bool IsBuiltInChinese(StringId id);

  // Every id that has a text, in table order.
  static std::vector<StringId> Ids();

 private:
  Language language_;
  std::unordered_map<StringId, std::string> texts_;
};

}  // namespace nxui
