#pragma once

#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"

#include <memory>

// The port library's discovery objects and cancel tokens, freed by the library when they go out of
// scope.

struct PortSettingDeleter {
    void operator()(OutPortPortSetting* setting) const { OutPortFreePortSetting(setting); }
};
using PortSettingHandle = std::unique_ptr<OutPortPortSetting, PortSettingDeleter>;

struct TargetDeleter {
    void operator()(OutPortTarget* target) const { OutPortFreeTarget(target); }
};
using TargetHandle = std::unique_ptr<OutPortTarget, TargetDeleter>;

struct DeviceListDeleter {
    void operator()(OutPortDeviceList* list) const { OutPortFreeDevices(list); }
};
using DeviceListHandle = std::unique_ptr<OutPortDeviceList, DeviceListDeleter>;

struct CancelDeleter {
    void operator()(OutPortCancel* cancel) const { OutPortCancelDestroy(cancel); }
};
using CancelHandle = std::unique_ptr<OutPortCancel, CancelDeleter>;
