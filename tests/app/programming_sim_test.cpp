// Program Device against the virtual device, in real time: after the restart and the reconnect
// the window tells beside the status whether the device reports what was programmed.
#include "simulatorfixture.h"

#include <QCheckBox>

namespace {

class ProgramAndVerify : public WithSimulator
{
protected:
    QLabel* verification() const { return control<QLabel>("LabelProgramVerification"); }

    // Program Device on `page`, then wait for the verdict after the reconnect.
    void programOn(const char* page)
    {
        control<QTabWidget>("PageControlConf")->setCurrentWidget(control(page));
        control<QAbstractButton>("SpeedButtonSetting")->click();
        EXPECT_TRUE(verification()->text().isEmpty());
        ASSERT_TRUE(PumpUntil([&] { return !verification()->text().isEmpty(); }, kRestartMs));
    }
};

TEST_F(ProgramAndVerify, TheReadBackAfterTheRestartVerifiesTheProgrammedValues)
{
    startSimulator({"--no-network-module"});
    connectAndIdentify();
    control<QCheckBox>("CheckBoxInternalGPSEnable")->setChecked(false);
    programOn("TabSheetInternalGPS");
    EXPECT_EQ(verification()->text(), QStringLiteral("Device programmed and verified"));
    EXPECT_EQ(verification()->textFormat(), Qt::PlainText);
    EXPECT_FALSE(control<QCheckBox>("CheckBoxInternalGPSEnable")->isChecked());

    // The user's own Disconnect clears it.
    openPort()->click();
    EXPECT_TRUE(verification()->text().isEmpty());
}

TEST_F(ProgramAndVerify, AValueTheDeviceDidNotTakeIsNamedAndNothingExtraIsSent)
{
    startSimulator({"--no-network-module", "--ignore-programming"});
    connectAndIdentify();
    control<QComboBox>("cbxBaud_RS232")->setCurrentIndex(4); // 9600
    programOn("TabSheetBaudRate");
    EXPECT_EQ(verification()->text(),
              QStringLiteral("Device programmed, value differs: RS-232 baud rate: programmed 9600, device reports 38400"));
    // The queries of both identifications with their read-backs, and the one programming sentence.
    ASSERT_TRUE(PumpUntil([&] { return received().size() >= 5; }, kIdentifyMs));
    const std::vector<std::string> sent = {ProductInfoQuery, ProductInfoQuery, DeviceLine("$PDBG,43,4,41,2,,,,"),
                                           ProductInfoQuery, ProductInfoQuery};
    EXPECT_EQ(received(), sent);
}

} // namespace
