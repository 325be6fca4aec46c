// Steps and handlers whose work belongs to the serial, device, diagnostics, log and network areas.
// Each area moves its part of this file into its own mainform_<area>.cpp as it is built; until
// then they do nothing, which is the behaviour of a window without a device.
#include "mainform.h"

// Serial port and port discovery.
void TForm1::RegisterPortNotifications() {}
void TForm1::EnumeratePorts() {}
void TForm1::CommRxChar(QObject*, std::uint32_t) {}
void TForm1::Timer2Timer() {}

// Connection, identification, configuration read and programming.
void TForm1::Timer1Timer() {}
void TForm1::ComboBoxDeviceItemChange() {}
void TForm1::ComboBoxBaudRateChange() {}
void TForm1::OpenPortClick() {}
void TForm1::LabelConnectionStatusDblClick() {}
void TForm1::SpeedButtonSettingClick() {}
void TForm1::spbDbgTestCmdClick() {}
void TForm1::spbBaudRateClick() {}
void TForm1::CheckBoxInternalGPSEnableClick() {}
void TForm1::spbInternalGPSClick() {}
void TForm1::spbRestoreClick() {}

// Sentence decoding and diagnostics.
void TForm1::InitAisDecoding() {}
void TForm1::ClearSatelliteEpoch() {}
void TForm1::CreateSatelliteViews() {}
void TForm1::RefreshCheckImages() {}
void TForm1::TimerUpdateSysChkTimer() {}
void TForm1::SpeedButtonClearCheckClick() {}

// Data log and command console.
void TForm1::spbtnEnableLogClick() {}
void TForm1::btnClearLogClick() {}
void TForm1::btnSaveLogClick() {}
void TForm1::btnSendCommandClick() {}

// Network module.
void TForm1::ResetAtEngine() {}
void TForm1::ClearNetworkModuleInfo() {}
bool TForm1::IsConfigMode() const
{
    return false; // no AT engine, so the module is never in its configuration mode
}
void TForm1::TimerEthernetRoutineTimer() {}
void TForm1::LabelEthernetSettingButtonClick() {}
void TForm1::LabelEthernetSettingButtonMouseActivate() {}
void TForm1::ButtonEthernetSendClick() {}
void TForm1::ButtonCMD1Click() {}
void TForm1::ButtonEnterEthConfigModeClick() {}
void TForm1::ButtonExitEthConfigModeClick() {}
void TForm1::ButtonCompareIPClick() {}
