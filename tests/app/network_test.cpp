// The NETWORK sub-page in the main window over a pseudo-terminal: the configuration mode as the
// page changes, the interface choice and the timer switch it, the module's answers on the labels,
// and the link to the module's web page as the desktop would be asked to open it.
#include "connectionfixture.h"

#include "netmodule/interface_addresses.h"

#include <QLineEdit>

#include <optional>
#include <string>

namespace {

const std::string kEnter = "$PDBG,163,1,,,,,,*14\r\n";
const std::string kLeave = "$PDBG,163,0,,,,,,*15\n";

class NetworkPage : public PtyDeviceFixture
{
protected:
    // Connected and identified, with a device that reports its network module.
    void connectWithModule()
    {
        connectDevice();
        access().ParseConfigurationLine(DeviceLine("$PCVN,R,TXT,ETH_MODULE=ON") + "\r\n");
        doubleClickStatus();
        ASSERT_TRUE(form->IsDeviceReady());
    }

    void showConfPage(const char* page)
    {
        control<QTabWidget>("PageControlConf")->setCurrentWidget(control(page));
    }

    // Ticks the module timer `count` times, collecting what went out.
    std::string tick(int count)
    {
        for (int i = 0; i < count; ++i)
            access().EthernetTick();
        return received();
    }

    // The module's echo and answer to the query in flight, received and handled.
    void answer(const std::string& command, const std::string& value, const char* label, const QString& shown)
    {
        device.Send(">" + command + "\r\n+ok=" + value + "\r\n");
        ASSERT_TRUE(PumpUntil([&] { return control<QLabel>(label)->text() == shown; })) << label;
    }

    // Opens the page and lets the module answer both queries with `address`, shown as `shown`.
    void answerBothQueries(const std::string& address, std::optional<std::string> shown = {})
    {
        showConfPage("TabSheetNetwork");
        ASSERT_EQ(received(), kEnter);
        ASSERT_EQ(tick(1), "AT+VER\n");
        answer("AT+VER", "V1.2.2", "LabelEthFirmwareVersion", QStringLiteral("V1.2.2\r\n"));
        ASSERT_EQ(tick(2), "AT+SYSIP\n");
        answer("AT+SYSIP", address + ",255.255.255.0", "LabelEthIP",
               QString::fromStdString(shown.value_or(address)));
    }

    int queuedQueries() const { return access().NetTab().Engine().Queue().Count(); }
    TForm1TestAccess access() const { return TForm1TestAccess(*form); }
};

TEST_F(NetworkPage, EnteringTwiceSendsTheEnterSentenceOnceButQueuesTheQueriesAgain)
{
    connectWithModule();
    showConfPage("TabSheetNetwork");
    EXPECT_EQ(received(), kEnter);
    EXPECT_EQ(queuedQueries(), 2);
    EXPECT_FALSE(control("LabelEthernetSettingButton")->isEnabled());
    access().HandlePageChange(true, false); // the read-back's entry while the page is open
    EXPECT_EQ(received(), "");
    EXPECT_EQ(queuedQueries(), 4);
    EXPECT_EQ(control<QPlainTextEdit>("MemoEthernetTx")->toPlainText().count(QStringLiteral("$PDBG,163,1")),
              1);

    showConfPage("TabSheetBaudRate");
    EXPECT_EQ(received(), kLeave);
    EXPECT_FALSE(access().NetTab().IsConfigMode());
    EXPECT_EQ(queuedQueries(), 0);
}

TEST_F(NetworkPage, OverRs232TheModeIsLeftAtOnceAndNoQueryGoesOut)
{
    connectWithModule();
    control<QComboBox>("ComboBoxDeviceItem")->setCurrentIndex(1);
    showConfPage("TabSheetNetwork");
    EXPECT_EQ(received(), kEnter + kLeave);
    EXPECT_EQ(tick(20), "");
}

TEST_F(NetworkPage, TheSixteenthTickInTheModeLeavesIt)
{
    connectWithModule();
    showConfPage("TabSheetNetwork");
    ASSERT_EQ(received(), kEnter);
    // The silent module: AT+VER twice, 600 ms apart, then AT+SYSIP 1.2 s after the first send.
    EXPECT_EQ(tick(15), "AT+VER\nAT+VER\nAT+SYSIP\n");
    EXPECT_TRUE(access().NetTab().IsConfigMode());
    EXPECT_EQ(tick(1), kLeave);
    EXPECT_EQ(tick(10), "");
}

TEST_F(NetworkPage, ExitLeavesTheModeBeforeThePortCloses)
{
    connectWithModule();
    showConfPage("TabSheetNetwork");
    ASSERT_EQ(received(), kEnter);
    form->close();
    EXPECT_EQ(boxes.calls().back().text, QStringLiteral("Are you sure to exit?"));
    EXPECT_FALSE(access().Port().IsOpen());
    EXPECT_FALSE(access().NetTab().IsConfigMode());
    EXPECT_TRUE(control<QPlainTextEdit>("MemoEthernetTx")
                    ->toPlainText()
                    .endsWith(QStringLiteral("$PDBG,163,0,,,,,,*15\n")));
    // The port's close purges output the line has not taken yet, so the sentence may be cut.
    const std::string sent = received();
    EXPECT_EQ(sent, kLeave.substr(0, sent.size()));
}

TEST_F(NetworkPage, AnswersShowOnBothPagesAndTheRawSendAddsLineFeedAndZero)
{
    connectWithModule();
    answerBothQueries("192.168.300.254", "192.168.44.254"); // each byte modulo 256
    EXPECT_EQ(control<QLabel>("LabelNetworkFirmwareVersoinData")->text(), QStringLiteral("V1.2.2\r\n"));

    control<QLineEdit>("EditEthernetText")->setText(QStringLiteral("AT+DEVNAME"));
    control<QAbstractButton>("ButtonEthernetSend")->click();
    EXPECT_EQ(received(), std::string("AT+DEVNAME\n\0", 12));
    EXPECT_TRUE(boxes.calls().empty());
}

// The first address of the PC's own interfaces, if it has one besides loopback.
std::optional<m47::netmodule::Ipv4Address> FirstLocalAddress()
{
    const auto addresses = m47::netmodule::InterfaceAddressSource().LocalIpv4Addresses();
    if (addresses.empty())
        return std::nullopt;
    return addresses.front();
}

TEST_F(NetworkPage, LinkOpensTheModulesPageAndAsksFirstOutsideThePcsGroup)
{
    struct Case {
        const char* name;
        bool sameGroup; // the module next to the PC's first address, else a test network
        std::optional<QMessageBox::StandardButton> warningAnswer; // none: no warning expected
        bool opened;
    };
    const Case cases[] = {
        {"same group", true, {}, true},
        {"other group, OK", false, QMessageBox::Ok, true},
        {"other group, Cancel", false, QMessageBox::Cancel, false},
    };
    const auto local = FirstLocalAddress();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.sameGroup && !local) {
            std::printf("[ skipped  ] %s: the PC has no network address\n", c.name);
            continue;
        }
        const std::string address = c.sameGroup
                                        ? std::to_string((*local)[0]) + "." + std::to_string((*local)[1]) +
                                              "." + std::to_string((*local)[2]) + ".250"
                                        : "203.0.113.7";
        if (form) { // a fresh window on the same device
            access().Port().Close();
            form.reset();
        }
        boxes = {};
        webPage = {};
        connectWithModule();
        answerBothQueries(address);
        auto* link = control<ClickLabel>("LabelEthernetSettingButton");
        EXPECT_EQ(link->isEnabled(), c.sameGroup);
        if (c.warningAnswer)
            boxes.answerNext(*c.warningAnswer);
        emit link->clicked();
        if (c.warningAnswer) {
            ASSERT_FALSE(boxes.calls().empty());
            EXPECT_EQ(boxes.calls().back().text, QStringLiteral("The localhost IP is not the same group!"));
            EXPECT_EQ(boxes.calls().back().caption, QStringLiteral("Warning"));
        } else {
            EXPECT_TRUE(boxes.calls().empty());
        }
        EXPECT_EQ(webPage.opened(),
                  c.opened ? std::vector<std::string>{"http://" + address} : std::vector<std::string>{});
    }
}

TEST_F(NetworkPage, LinkDoesNothingUntilTheDeviceIsReady)
{
    startWithPort(kDeviceCom);
    emit control<ClickLabel>("LabelEthernetSettingButton")->clicked();
    EXPECT_TRUE(webPage.opened().empty());
    EXPECT_TRUE(boxes.calls().empty());
}

} // namespace
