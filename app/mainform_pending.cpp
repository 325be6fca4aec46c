// Steps and handlers whose work belongs to the log area.
// Each area moves its part of this file into its own mainform_<area>.cpp as it is built; until
// then they do nothing, which is the behaviour of a window without a device.
#include "mainform.h"

// Data log and command console.
void TForm1::spbtnEnableLogClick() {}
void TForm1::btnClearLogClick() {}
void TForm1::btnSaveLogClick() {}
void TForm1::btnSendCommandClick() {}
