// The host application's identity and platform services.
#pragma once

#include "interfaces/funknown.h"

namespace Quillon {

inline constexpr TUID IHostApplicationA_iid =
    QUILLON_UID(0xCC0B7716, 0x362B4EE5, 0x89EE5F41, 0x5458463F);
inline constexpr TUID IHostApplicationW_iid =
    QUILLON_UID(0x97E507DA, 0xE5594EEA, 0xA5AC4042, 0xE458F2B4);
inline constexpr TUID IHostApplication2_iid =
    QUILLON_UID(0x43B13CC1, 0x1B754432, 0xA09CD952, 0x7C1DD0AC);
inline constexpr TUID ISplashDisplayA_iid =
    QUILLON_UID(0x5A104B3A, 0x09D34D46, 0xA3979A37, 0x5775A157);
inline constexpr TUID ISplashDisplayW_iid =
    QUILLON_UID(0x915B5C7B, 0x37A247B6, 0xB5421F40, 0xFF823CF5);
inline constexpr TUID IHostVersionInfo_iid =
    QUILLON_UID(0x44AD7BC8, 0x24FB43DB, 0xBB6759C3, 0x8233492A);
inline constexpr TUID IPlatform_iid = QUILLON_UID(0x9E871847, 0xF1AB4776, 0xA06C6F94, 0x5D7FDD4D);
inline constexpr TUID IPlatform2_iid = QUILLON_UID(0x1BC82887, 0x0EE84A33, 0x8981D81E, 0x7B58EC93);
inline constexpr TUID IIdleHandler_iid =
    QUILLON_UID(0xD70BBB58, 0xC80545B8, 0xAB826418, 0x0B673A84);

// The host's name, version and build, as 16-bit texts owned by the host (null allowed).
class IHostApplicationW : public FUnknown {
 public:
  virtual const char16* getHostName() = 0;
  virtual const char16* getHostVersion() = 0;
  virtual const char16* getHostBuild() = 0;

  static const FUID iid;
};

// The host platform's answer to whether components may shut down now.
class IPlatform2 : public FUnknown {
 public:
  // True when the components may terminate.
  virtual bool canTerminate() = 0;

  static const FUID iid;
};

// Known identifiers of the host whose operations the module never calls.
class IHostApplicationA : public FUnknown {
 public:
  static const FUID iid;
};
class IHostApplication2 : public FUnknown {
 public:
  static const FUID iid;
};
class ISplashDisplayA : public FUnknown {
 public:
  static const FUID iid;
};
class ISplashDisplayW : public FUnknown {
 public:
  static const FUID iid;
};
class IHostVersionInfo : public FUnknown {
 public:
  static const FUID iid;
};
class IPlatform : public FUnknown {
 public:
  static const FUID iid;
};
class IIdleHandler : public FUnknown {
 public:
  static const FUID iid;
};

}  // namespace Quillon
