// Steps and handlers whose work belongs to the diagnostics, log and network areas.
// Each area moves its part of this file into its own mainform_<area>.cpp as it is built; until
// then they do nothing, which is the behaviour of a window without a device.
#include "mainform.h"

// Sentence decoding and diagnostics.
void TForm1::InitAisDecoding() {}
void TForm1::ClearSatelliteEpoch() {}
void TForm1::CreateSatelliteViews() {}
void TForm1::RefreshCheckImages() {}
void TForm1::UpdateGpsStatus(char*) {}
void TForm1::TimerUpdateSysChkTimer()
{
    RestartStepTick(); // the last step of every tick, after the system check's refresh
}
void TForm1::SpeedButtonClearCheckClick() {}

// Data log and command console.
void TForm1::spbtnEnableLogClick() {}
void TForm1::btnClearLogClick() {}
void TForm1::btnSaveLogClick() {}
void TForm1::btnSendCommandClick() {}

// Network module.
void TForm1::HandleAtReply(char*) {}
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
