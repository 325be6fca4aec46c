// The library object: what ProcessSentence stores for each group, the validity flags, and the
// hand-over of "!" sentences to the AIS decoder.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "nmea/sentence_library.h"
#include "nmea/sentence_parser.h"
#include "sentence_test_support.h"

namespace nmea {
namespace {

class LibraryTest : public ::testing::Test
{
protected:
    bool Process(std::string_view body) { return library->ProcessSentence(test::Framed(body)); }
    const GnssRecord& Gnss() const { return library->latest.gnss; }

    std::unique_ptr<SentenceLibrary> library = std::make_unique<SentenceLibrary>();
};

TEST_F(LibraryTest, StartsZeroed)
{
    const GnssRecord& gnss = Gnss();
    EXPECT_EQ(gnss.talker, tkOther);
    EXPECT_EQ(gnss.latitude, 0.0f);
    EXPECT_EQ(gnss.timeValid, 0);
    EXPECT_EQ(gnss.lastFormatter[0], '\0');
    EXPECT_EQ(library->ais.targets.TargetCount, 1u);
}

TEST_F(LibraryTest, GgaThenRmcDecidePositionValid)
{
    ASSERT_TRUE(Process("$GPGGA,123519,4807.038,N,01131.000,E,0,08,0.9,545.4,M,46.9,M,,"));
    EXPECT_EQ(Gnss().positionValid, 0);
    EXPECT_EQ(Gnss().ggaArrived, 1);
    EXPECT_EQ(Gnss().satellitesUsed, 8);
    EXPECT_EQ(Gnss().talker, tkGP);
    EXPECT_STREQ(Gnss().lastFormatter, "GGA");
    EXPECT_EQ(Gnss().timeValid, 1);

    ASSERT_TRUE(Process("$GNRMC,123520,A,4807.038,S,01131.000,W,022.4,084.4,230394,003.1,W"));
    EXPECT_EQ(Gnss().positionValid, 1);
    EXPECT_EQ(Gnss().courseValid, 1);
    EXPECT_EQ(Gnss().talker, tkGN);
    EXPECT_FLOAT_EQ(Gnss().latitude, -48.1173f);
    EXPECT_FLOAT_EQ(Gnss().longitude, -11.516666f);
    EXPECT_FLOAT_EQ(Gnss().speedKnots, 22.4f);
    EXPECT_EQ(Gnss().utcYear, 2094);
    EXPECT_EQ(Gnss().utcDay, 23);
    EXPECT_EQ(Gnss().modeIndicator, 'A');

    ASSERT_TRUE(Process("$GPGLL,,S,,W,225444,V,N"));
    EXPECT_EQ(Gnss().positionValid, 0);
    EXPECT_FLOAT_EQ(Gnss().latitude, -91.0f);
    EXPECT_FLOAT_EQ(Gnss().longitude, -181.0f);
}

TEST_F(LibraryTest, GsaCountsItsUsedSlots)
{
    ASSERT_TRUE(Process("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"));
    EXPECT_EQ(Gnss().satellitesUsed, 5);
    EXPECT_EQ(Gnss().fixMode, 3);
    EXPECT_FLOAT_EQ(Gnss().hdop, 1.3f);

    ASSERT_TRUE(Process("$GPGSA,A,1,,,,,,,,,,,,,,,"));
    EXPECT_EQ(Gnss().satellitesUsed, 0);
    for (std::int8_t prn : Gnss().usedPrn)
        EXPECT_EQ(prn, -128);
    EXPECT_FLOAT_EQ(Gnss().pdop, kNoReal);
}

TEST_F(LibraryTest, GsvWritesOnlyTheBlocksItCarries)
{
    ASSERT_TRUE(Process("$GPGSV,2,1,06,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45"));
    ASSERT_TRUE(Process("$GPGSV,2,2,06,21,10,100,30,22,,,"));
    EXPECT_EQ(Gnss().gsvSentenceNumber, 2);
    EXPECT_EQ(Gnss().satellitesInView, 6);
    EXPECT_EQ(Gnss().gsvSatellites, 2);
    EXPECT_EQ(Gnss().prn[0], 21);
    EXPECT_EQ(Gnss().prn[1], 22);
    EXPECT_EQ(Gnss().elevation[1], -128);
    EXPECT_EQ(Gnss().azimuth[1], -1);
    EXPECT_EQ(Gnss().prn[2], 12); // from the first sentence
    EXPECT_EQ(Gnss().snr[3], 45);
}

TEST_F(LibraryTest, TimeValidNeedsAFullDateFromZdaOrAValidRmc)
{
    ASSERT_TRUE(Process("$GPGGA,,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    EXPECT_EQ(Gnss().timeValid, 0);
    EXPECT_EQ(Gnss().utcHour, 24);
    ASSERT_TRUE(Process("$GPZDA,201530.00,,07,2002,00,00")); // no day
    EXPECT_EQ(Gnss().timeValid, 0);
    ASSERT_TRUE(Process("$GPRMC,123519,V,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W"));
    EXPECT_EQ(Gnss().timeValid, 0);
    ASSERT_TRUE(Process("$GPZDA,201530.00,04,07,2002,00,00"));
    EXPECT_EQ(Gnss().timeValid, 1);
    ASSERT_TRUE(Process("$GPZDA,,,,,,"));
    EXPECT_EQ(Gnss().timeValid, 1); // never cleared
    EXPECT_EQ(Gnss().utcYear, -1);
    EXPECT_EQ(Gnss().utcMonth, -128);
}

TEST_F(LibraryTest, EmptyTimeKeepsTheHundredths)
{
    ASSERT_TRUE(Process("$GPZDA,201530.25,04,07,2002,00,00"));
    EXPECT_EQ(Gnss().utcHundredths, 25);
    ASSERT_TRUE(Process("$GPZDA,,04,07,2002,00,00"));
    EXPECT_EQ(Gnss().utcSecond, 60);
    EXPECT_EQ(Gnss().utcHundredths, 25);
}

TEST_F(LibraryTest, VtgGbsAndCourseValid)
{
    ASSERT_TRUE(Process("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K,D"));
    EXPECT_FLOAT_EQ(Gnss().courseMagnetic, 34.4f);
    EXPECT_FLOAT_EQ(Gnss().speedKmh, 10.2f);
    EXPECT_EQ(Gnss().modeIndicator, 'D');

    ASSERT_TRUE(Process("$GPGBS,015509.00,,-0.186,0.219,19,0.000,-0.354,6.972"));
    EXPECT_EQ(Gnss().gbsValid, 0);
    ASSERT_TRUE(Process("$GPGBS,015509.00,-0.031,-0.186,0.219,19,0.000,-0.354,6.972"));
    EXPECT_EQ(Gnss().gbsValid, 1);
    EXPECT_EQ(Gnss().gbsFailedSatellite, 19);

    ASSERT_TRUE(Process("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,400.0,230394,003.1,W"));
    EXPECT_EQ(Gnss().courseValid, 0);
    ASSERT_TRUE(Process("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,,230394,003.1,W"));
    EXPECT_EQ(Gnss().courseValid, 0);
    EXPECT_FLOAT_EQ(Gnss().courseTrue, kNoReal);
}

TEST(ClassifySentence, GivesEachFormatterItsGroupAndOthersNone)
{
    struct Case {
        const char formatter[4];
        SentenceGroup group;
    };
    const Case cases[] = {
        {"GGA", sgGnss},
        {"GLL", sgGnss},
        {"GBS", sgGnss},
        {"GSA", sgGnss},
        {"GSV", sgGnss},
        {"RMC", sgGnss},
        {"VTG", sgGnss},
        {"ZDA", sgGnss},
        {"ROT", sgHeadingSpeed},
        {"HDT", sgHeadingSpeed},
        {"VBW", sgHeadingSpeed},
        {"GNS", sgHeadingSpeed},
        {"LRI", sgLongRange},
        {"LRF", sgLongRange},
        {"LR1", sgLongRange},
        {"LR2", sgLongRange},
        {"LR3", sgLongRange},
        {"ABK", sgAis},
        {"ACA", sgAis},
        {"ACK", sgAis},
        {"ACS", sgAis},
        {"ALR", sgAis},
        {"SSD", sgAis},
        {"VSD", sgAis},
        {"ABM", sgAis},
        {"BBM", sgAis},
        {"VDM", sgAis},
        {"VDO", sgAis},
        {"TXT", sgAis},
        {"DSC", sgDsc},
        {"DSE", sgDsc},
        {"DSI", sgDsc},
        {"DSR", sgDsc},
        {"MID", sgProprietary},
        {"BDY", sgProprietary},
        {"TST", sgProprietary},
        {"FRQ", sgProprietary},
        {"BTH", sgProprietary},
        {"DBG", sgProprietary},
        {"TPS", sgProprietary},
        {"MOB", sgProprietary},
        // Near misses: case, length, a neighbour's letters, the query and proprietary forms.
        {"gga", sgNone},
        {"GG", sgNone},
        {{'G', 'G', 'A', 'A'}, sgNone},
        {"GGB", sgNone},
        {"LR4", sgNone},
        {"Q", sgNone},
        {"Smg", sgNone},
        {"CVN", sgNone},
        {"", sgNone},
        {"DTM", sgNone},
    };
    for (const Case& c : cases) {
        SentenceRecord record{};
        std::memcpy(record.formatter, c.formatter, sizeof record.formatter);
        EXPECT_EQ(ClassifySentence(record), c.group) << c.formatter;
    }
}

TEST_F(LibraryTest, RejectedAndUngroupedSentencesStoreNothing)
{
    ASSERT_TRUE(Process("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    const GnssRecord before = Gnss();
    EXPECT_TRUE(Process("$GPGST,172814.0,0.006,0.023,0.020,273.6,0.023,0.020,0.031"));
    EXPECT_FALSE(Process("$GPGGA,1,4807.038,S,01131.000,E,1,08,0.9,545.4,M,46.9,M,"));
    EXPECT_FALSE(Process("$GPGSV,1,1,01,07,91,083,46"));
    EXPECT_EQ(std::memcmp(&before, &Gnss(), sizeof before), 0);
    EXPECT_EQ(ClassifySentence(library->record), sgGnss); // the rejected GSV's formatter
}

TEST_F(LibraryTest, HeadingAisAndProprietaryStoresKeepTheirFlags)
{
    ASSERT_TRUE(Process("$INHDT,360.0,T"));
    EXPECT_EQ(library->latest.heading.headingValid, 0);
    EXPECT_EQ(library->latest.heading.talker, tkIN);
    ASSERT_TRUE(Process("$INHDT,359.9,T"));
    EXPECT_EQ(library->latest.heading.headingValid, 1);
    ASSERT_TRUE(Process("$INHDT,,T"));
    EXPECT_EQ(library->latest.heading.headingValid, 1); // never cleared
    EXPECT_FLOAT_EQ(library->latest.heading.hdt.heading, 511.0f);

    const AisSentenceRecord& ais = library->latest.ais;
    ASSERT_TRUE(Process("$AISSD,,,512,010,05,05,2,AI"));
    EXPECT_EQ(ais.callSignValid, 0);
    EXPECT_EQ(ais.referencePointsValid, 0);
    EXPECT_EQ(ais.dteValid, 0);
    ASSERT_TRUE(Process("$AISSD,PD3312,CORVANA,050,010,05,05,0,AI"));
    EXPECT_EQ(ais.callSignValid, 1);
    EXPECT_EQ(ais.nameValid, 1);
    EXPECT_EQ(ais.referencePointsValid, 1);
    EXPECT_EQ(ais.dteValid, 1);

    ASSERT_TRUE(Process("$AIVSD,,30.0,,,,,,16,"));
    EXPECT_EQ(ais.shipTypeValid, 0);
    EXPECT_EQ(ais.draughtValid, 0);
    EXPECT_EQ(ais.personsValid, 0);
    EXPECT_EQ(ais.destinationValid, 0);
    EXPECT_EQ(ais.etaValid, 0);
    EXPECT_EQ(ais.navigationalStatusValid, 0);
    ASSERT_TRUE(Process("$AIVSD,036,,12,ROTTERDAM,123000.00,15,12,0,0"));
    EXPECT_EQ(ais.shipTypeValid, 1);
    EXPECT_EQ(ais.draughtValid, 1); // the empty mark is not above 25.5
    EXPECT_EQ(ais.personsValid, 1);
    EXPECT_EQ(ais.destinationValid, 1);
    EXPECT_EQ(ais.etaValid, 1);
    EXPECT_EQ(ais.navigationalStatusValid, 1);

    ASSERT_TRUE(Process("$AIACK,1000"));
    EXPECT_EQ(ais.alarmIdValid, 0);
    ASSERT_TRUE(Process("$AIACK,999"));
    EXPECT_EQ(ais.alarmIdValid, 1);

    const ProprietaryRecord& p = library->latest.proprietary;
    ASSERT_TRUE(Process("$PCVN,R,BDY,,A,B,1,1"));
    EXPECT_EQ(p.bdyValid, 1); // second byte 1 is enough
    ASSERT_TRUE(Process("$PCVN,R,TST,99999,1,P,a,-1"));
    EXPECT_EQ(p.tstNumberValid, 0);
    EXPECT_EQ(p.tstCharsValid, 0);
    EXPECT_EQ(p.tstWordValid, 0);
    ASSERT_TRUE(Process("$PCVN,R,FRQ,161975000,10,162025000,11"));
    EXPECT_EQ(p.frqValid[0], 1);
    EXPECT_EQ(p.frqValid[1], 0);
    ASSERT_TRUE(Process("$PCVN,R,BTH,1,2,3,4,5,256,"));
    EXPECT_EQ(p.bthValuesValid, 0);
    EXPECT_EQ(p.bthTextValid, 0);
    ASSERT_TRUE(Process("$PCVN,X,DBG,1,100,,200,1000,,-1,400"));
    EXPECT_EQ(p.dbgSubKind, 'X');
    EXPECT_EQ(p.dbgValid[0], 1);
    EXPECT_EQ(p.dbgValid[1], 1); // the empty mark 999 is in range
    EXPECT_EQ(p.dbgValid[2], 0);
    EXPECT_EQ(p.dbgValid[3], 0);
    ASSERT_TRUE(Process("$PCVN,R,TPS,-1,"));
    EXPECT_EQ(p.tpsValid, 0);
    ASSERT_TRUE(Process("$PCVN,R,MID,999999999,1"));
    EXPECT_EQ(p.midValid[0], 0);
    EXPECT_EQ(p.midValid[1], 1);
}

TEST_F(LibraryTest, MobKeepsTheOptionalByteUntilAnotherArrives)
{
    const MobFields& mob = library->latest.proprietary.mob;
    ASSERT_TRUE(Process("$PCVN,R,MOB,A1B2C3,5,0F,7F,0102"));
    EXPECT_EQ(mob.optional, 0x7F);
    EXPECT_EQ(mob.optionalPresent, 1);
    EXPECT_EQ(mob.dataCount, 2);
    ASSERT_TRUE(Process("$PCVN,R,MOB,A1B2C3,5,0F,,01Z2"));
    EXPECT_EQ(mob.optional, 0x7F);
    EXPECT_EQ(mob.optionalPresent, 1);
    EXPECT_EQ(mob.dataCount, 0);
}

TEST_F(LibraryTest, RefusesOverlongInputWithoutTouchingTheRecord)
{
    ASSERT_TRUE(Process("$GPHDT,274.07,T"));
    EXPECT_FALSE(library->ProcessSentence(std::string(500, ',')));
    EXPECT_FALSE(library->ProcessSentence(std::string("$GPHDT,1,T*00\r\n\0garbage", 24)));
    EXPECT_FALSE(library->ProcessSentence(""));
    EXPECT_STREQ(library->record.formatter, "HDT");
}

TEST_F(LibraryTest, TalkerAndFormatterComeOnlyFromTheAddressField)
{
    struct Case {
        const char* line;
        const char* talker;
        const char* formatter;
        char subKind;
    };
    // Each body is framed with its checksum; the first four are the lines as seen in logs.
    const Case cases[] = {
        {"$P", "P", "", 0},
        {"$Q", "Q", "", 0},
        {"$PCVN", "P", "CVN", 0},
        {"$ABQ,RMC", "AB", "Q", 0},
        {"$GP", "GP", "", 0},
        {"$GPGG,1", "GP", "GG", 0},
        {"$,GPGGA", "", "", 0},
        {"$PCVN,R", "P", "CVN", 0}, // no sentence inside
        {"$PCVN,R,", "P", "", 'R'}, // an inner sentence without its formatter
        {"$PCVN,R,TX", "P", "TX", 'R'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_FALSE(Process(c.line));
        EXPECT_STREQ(library->record.talker, c.talker);
        EXPECT_STREQ(library->record.formatter, c.formatter);
        EXPECT_EQ(library->record.subKind, c.subKind);
    }
    // The full forms still read as before.
    ASSERT_TRUE(Process("$PCVN,R,TXT,01,01,01,SN=12345"));
    EXPECT_STREQ(library->record.formatter, "TXT");
    EXPECT_EQ(library->record.subKind, 'R');
    EXPECT_FALSE(Process("$CCGPQ,GGA"));
    EXPECT_STREQ(library->record.formatter, "Q");
}

// Type 5 in two fragments, with its hand-checked values.
const char kType5Part1[] =
    "!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C\r\n";
const char kType5Part2[] = "!AIVDM,2,2,1,A,88888888880,2*25\r\n";

TEST_F(LibraryTest, TwoFragmentMessageCompletesOnTheSecondSentence)
{
    EXPECT_FALSE(library->ProcessSentence(kType5Part1));
    EXPECT_TRUE(library->ProcessSentence(kType5Part2));
    const AisTargetTable& targets = library->ais.targets;
    ASSERT_EQ(targets.TargetCount, 2u);
    const AisTarget& ship = targets.entries[1];
    EXPECT_EQ(ship.mmsi, 351759000u);
    EXPECT_EQ(std::string(ship.name.data()).substr(0, 11), "EVER DIADEM");
    EXPECT_EQ(ship.vdmCount, 1u);
    EXPECT_EQ(ship.vdoCount, 0u);
    EXPECT_EQ(library->record.vdm.channel, 'A');
}

TEST_F(LibraryTest, AnAcceptedDollarSentenceDiscardsAHeldFragment)
{
    EXPECT_FALSE(library->ProcessSentence(kType5Part1));
    ASSERT_TRUE(Process("$GPHDT,274.07,T"));
    EXPECT_EQ(library->fragments.payload[0], '\0');
    EXPECT_FALSE(library->ProcessSentence(kType5Part2));
    EXPECT_EQ(library->ais.targets.TargetCount, 1u);

    // A rejected "$" sentence leaves it alone.
    EXPECT_FALSE(library->ProcessSentence(kType5Part1));
    EXPECT_FALSE(Process("$GPHDT,274.07"));
    EXPECT_TRUE(library->ProcessSentence(kType5Part2));
}

TEST_F(LibraryTest, VdoUpdatesTheOwnShipAndCountsPerFormatter)
{
    EXPECT_TRUE(library->ProcessSentence("!AIVDO,1,1,,B,13`kvwO005wJnb0Lfo:@7P8F05`L,0*5B\r\n"));
    EXPECT_TRUE(library->ProcessSentence("!AIVDO,1,1,,B,13`kvwO005wJnb0Lfo:P7h8H05`L,0*7D\r\n"));
    const AisTarget& own = library->ais.targets.entries[0];
    EXPECT_NE(own.mmsi, 0u);
    EXPECT_EQ(own.vdoCount, 2u);
    EXPECT_EQ(own.vdmCount, 0u);
    EXPECT_EQ(library->ais.targets.TargetCount, 1u);
}

TEST_F(LibraryTest, UndecodablePayloadsAreRejected)
{
    EXPECT_FALSE(Process("!AIVDM,1,1,,A,X77KQJ5000G?tO`K>RA1wUbN0TKH,0")); // outside the alphabet
    EXPECT_FALSE(Process("!AIVDM,1,1,,A,177KQJ5000G?tO`K>RA1wUbN0TKH,1")); // fill bits 1
    EXPECT_FALSE(Process("!AIVDM,1,1,,A,077KQJ5000G?tO`K>RA1wUbN0TKH,0")); // message type 0
    // A "!" sentence that carries no AIS fragment is parsed and stored but decodes nothing.
    EXPECT_FALSE(Process("!GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"));
    EXPECT_EQ(library->latest.gnss.ggaArrived, 1);
    EXPECT_EQ(library->ais.targets.TargetCount, 1u);
}

} // namespace
} // namespace nmea
