// The parsers: one table of accepted lines with the values they must yield, one of rejected
// lines. Lines are written without their checksum; the helper frames them.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "sentence_test_support.h"

namespace nmea {
namespace {

struct GoodLine {
    std::string body;
    void (*check)(const SentenceRecord& r);
};

const GoodLine kGoodLines[] = {
    {"$AIABK,211444000,A,8,0,1",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.abk.mmsi, 211444000);
         EXPECT_EQ(r.abk.channel, 0); // a channel letter in a byte field reads 0
         EXPECT_EQ(r.abk.messageId, 8);
         EXPECT_EQ(r.abk.ackType, 1);
     }},
    {"!AIABM,1,1,0,211444000,A,12,E@EL5@hTppm=@TF@,0",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.start, '!');
         EXPECT_EQ(r.abm.destinationMmsi, 211444000);
         EXPECT_EQ(r.abm.channel, 'A');
         EXPECT_EQ(r.abm.messageId, 12);
         EXPECT_STREQ(r.abm.payload, "E@EL5@hTppm=@TF@");
         EXPECT_EQ(r.abm.fillBits, 0);
     }},
    {"$AIACA,0,5930.00,N,01030.00,E,5900.00,N,01100.00,E,4,2087,0,2088,0,0,0,B,1,123456",
     [](const SentenceRecord& r) {
         EXPECT_FLOAT_EQ(r.aca.northEast.latitude, 59.5f);
         EXPECT_FLOAT_EQ(r.aca.southWest.longitude, 11.0f);
         EXPECT_EQ(r.aca.zoneSize, '4');
         EXPECT_EQ(r.aca.channelA, 2087);
         EXPECT_EQ(r.aca.channelB, 2088);
         EXPECT_EQ(r.aca.source, 'B');
         EXPECT_EQ(r.aca.inUse, '1');
         EXPECT_EQ(r.aca.inUseChanged.hour, 12);
         EXPECT_EQ(r.aca.inUseChanged.second, 56);
     }},
    {"$AIACK,001", [](const SentenceRecord& r) { EXPECT_EQ(r.ack.alarmId, 1); }},
    {"$AIACK,", [](const SentenceRecord& r) { EXPECT_EQ(r.ack.alarmId, 1000); }},
    {"$AIACS,1,211444000,093012.00,14,06,2024",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.acs.sequence, '1');
         EXPECT_EQ(r.acs.mmsi, 211444000);
         EXPECT_EQ(r.acs.time.minute, 30);
         EXPECT_EQ(r.acs.day, 14);
         EXPECT_EQ(r.acs.month, 6);
         EXPECT_EQ(r.acs.year, 2024);
     }},
    {"$PCVN,Q,AIQ,Smg,1",
     [](const SentenceRecord& r) {
         EXPECT_STREQ(r.talker, "P");
         EXPECT_STREQ(r.formatter, "AIQ");
         EXPECT_EQ(r.subKind, 'Q');
         EXPECT_EQ(r.aiq.value, 1);
     }},
    {"$AIALR,101010.00,002,V,V,AIS: Antenna VSWR exceeds limit",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.alr.alarmId, 2);
         EXPECT_EQ(r.alr.condition, 'V');
         EXPECT_STREQ(r.alr.description, "AIS: Antenna VSWR exceeds limit");
     }},
    {"!AIBBM,1,1,0,2,8,04a9M>1@PD5CD0,0",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.bbm.channel, 2); // the broadcast channel number as sent
         EXPECT_EQ(r.bbm.messageId, 8);
         EXPECT_STREQ(r.bbm.payload, "04a9M>1@PD5CD0");
     }},
    {"$PCVN,R,BDY,123456789,NORTH,,1,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.bdy.number, 123456789);
         EXPECT_STREQ(r.bdy.text1, "NORTH");
         EXPECT_STREQ(r.bdy.text2, "");
         EXPECT_EQ(r.bdy.byte1, 1);
         EXPECT_EQ(r.bdy.byte2, 9);
     }},
    {"$PCVN,R,BDY,,ABCDEFGHIJKLMNOPQRSTUVWXYZ,B,,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.bdy.number, 999999999);
         EXPECT_STREQ(r.bdy.text1, "ABCDEFGHIJKLMNOPQRST"); // cut to its 20 characters
     }},
    {"$PCVN,R,BTH,1,2,,4,5,6,PAIRED",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.bth.values[1], 2);
         EXPECT_EQ(r.bth.values[2], 256);
         EXPECT_STREQ(r.bth.text, "PAIRED");
     }},
    {"$PCVN,D,DBG,1,100,,200,3,,4,400",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.subKind, 'D');
         EXPECT_EQ(r.dbg.word[1], 999);
         EXPECT_EQ(r.dbg.number[2], INT32_MIN);
         EXPECT_EQ(r.dbg.number[3], 400);
     }},
    {"$GPDTM,W840,,0.0,N,0.0,E,,W84",
     [](const SentenceRecord& r) {
         EXPECT_STREQ(r.dtm.localDatum, "W84"); // cut to its capacity
         EXPECT_EQ(r.dtm.subdivision, ' ');
         EXPECT_FLOAT_EQ(r.dtm.altitudeOffset, 0.0f); // empty reads 0
         EXPECT_STREQ(r.dtm.referenceDatum, "W84");
     }},
    {"$PCVN,R,FRQ,161975000,1,,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.frq.number1, 161975000);
         EXPECT_EQ(r.frq.number2, 999999999);
         EXPECT_EQ(r.frq.byte2, -128);
     }},
    {"$GPGBS,015509.00,-0.031,-0.186,0.219,19,0.000,-0.354,6.972",
     [](const SentenceRecord& r) {
         EXPECT_FLOAT_EQ(r.gbs.errorLatitude, -0.031f);
         EXPECT_EQ(r.gbs.failedSatellite, 19);
         EXPECT_FLOAT_EQ(r.gbs.biasStdDev, 6.972f);
     }},
    {"$GNGBS,015509.00,-0.031,-0.186,0.219,19,0.000,-0.354,6.972,1,7", // system, signal id
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gbs.failedSatellite, 19);
         EXPECT_FLOAT_EQ(r.gbs.bias, -0.354f);
         EXPECT_FLOAT_EQ(r.gbs.biasStdDev, 6.972f);
     }},
    {"$GPGBS,015509.00,,,,,,,",
     [](const SentenceRecord& r) {
         EXPECT_FLOAT_EQ(r.gbs.errorAltitude, kNoReal);
         EXPECT_EQ(r.gbs.failedSatellite, 255);
     }},
    {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
     [](const SentenceRecord& r) {
         EXPECT_STREQ(r.talker, "GP");
         EXPECT_STREQ(r.formatter, "GGA");
         EXPECT_EQ(r.gga.time.hour, 12);
         EXPECT_FLOAT_EQ(r.gga.position.latitude, 48.1173f);
         EXPECT_FLOAT_EQ(r.gga.position.longitude, 11.516666f);
         EXPECT_EQ(r.gga.quality, 1);
         EXPECT_EQ(r.gga.satellitesUsed, 8);
         EXPECT_FLOAT_EQ(r.gga.hdop, 0.9f);
         EXPECT_FLOAT_EQ(r.gga.geoidalSeparation, 46.9f);
         EXPECT_FLOAT_EQ(r.gga.differentialAge, kNoReal);
         EXPECT_EQ(r.gga.differentialStation, -1);
     }},
    {"$GPGGA,123519,4807.038,N,01131.000,E,1,15,120.0,545.4,M,46.9,M,,2000",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gga.satellitesUsed, 0);
         EXPECT_FLOAT_EQ(r.gga.hdop, 99.9f);
         EXPECT_EQ(r.gga.differentialStation, 1023);
     }},
    {"$GPGGA,123519,4807.038,N,01131.000,E,,,,545.4,M,46.9,M,,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gga.quality, -128);
         EXPECT_EQ(r.gga.satellitesUsed, -128);
         EXPECT_FLOAT_EQ(r.gga.hdop, kNoReal);
     }},
    {"$GPGLL,4916.45,N,12311.12,W,225444,A,A",
     [](const SentenceRecord& r) {
         EXPECT_FLOAT_EQ(r.gll.position.latitude, 49.274166f);
         EXPECT_FLOAT_EQ(r.gll.position.longitude, -123.18533f);
         EXPECT_EQ(r.gll.time.hour, 22);
         EXPECT_EQ(r.gll.status, 'A');
         EXPECT_EQ(r.gll.mode, 'A');
     }},
    {"$GPGLL,,S,,W,225444,V,",
     [](const SentenceRecord& r) {
         EXPECT_FLOAT_EQ(r.gll.position.latitude, -91.0f);
         EXPECT_FLOAT_EQ(r.gll.position.longitude, -181.0f);
         EXPECT_EQ(r.gll.mode, ' ');
     }},
    {"$GNGNS,122310.2,3722.425671,N,12258.856215,W,AA,14,0.9,1005.543,6.5,,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gns.mode[0], 'A');
         EXPECT_EQ(r.gns.mode[1], 'A');
         EXPECT_EQ(r.gns.satellitesInUse[0], '1');
         EXPECT_EQ(r.gns.satellitesInUse[1], '4');
         EXPECT_FLOAT_EQ(r.gns.hdop, 0.9f);
         EXPECT_FLOAT_EQ(r.gns.differentialAge, kNoReal);
     }},
    {"$GPGRS,024603.00,1,-1.8,-2.7,0.3,,,,,,,,,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.grs.residualMode, '1');
         EXPECT_FLOAT_EQ(r.grs.residual[0], -1.8f);
         EXPECT_FLOAT_EQ(r.grs.residual[11], kNoReal);
     }},
    {"$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gsa.selectionMode, 'A');
         EXPECT_EQ(r.gsa.fixMode, 3);
         EXPECT_EQ(r.gsa.prn[0], 4);
         EXPECT_EQ(r.gsa.prn[2], -128);
         EXPECT_EQ(r.gsa.prn[7], 24);
         EXPECT_FLOAT_EQ(r.gsa.vdop, 2.1f);
     }},
    {"$GNGSA,A,3,29,20,18,16,51,13,44,26,,,,,0.99,0.54,0.83,1", // NMEA 4.10 system id
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gsa.fixMode, 3);
         EXPECT_EQ(r.gsa.prn[7], 26);
         EXPECT_EQ(r.gsa.prn[8], -128);
         EXPECT_FLOAT_EQ(r.gsa.pdop, 0.99f);
         EXPECT_FLOAT_EQ(r.gsa.vdop, 0.83f);
     }},
    {"$GPGST,172814.0,0.006,0.023,0.020,273.6,0.023,0.020,0.031",
     [](const SentenceRecord& r) {
         EXPECT_FLOAT_EQ(r.gst.orientation, 273.6f);
         EXPECT_FLOAT_EQ(r.gst.altitudeError, 0.031f);
     }},
    {"$GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gsv.sentenceCount, 2);
         EXPECT_EQ(r.gsv.sentenceNumber, 1);
         EXPECT_EQ(r.gsv.satellitesInView, 8);
         EXPECT_EQ(r.gsv.blockCount, 4);
         EXPECT_EQ(r.gsv.prn[3], 14);
         EXPECT_EQ(r.gsv.azimuth[3], 228);
         EXPECT_EQ(r.gsv.snr[3], 45);
     }},
    {"$GPGSV,3,3,11,22,42,067,42,24,14,311,43,27,05,244,00",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gsv.blockCount, 3);
         EXPECT_EQ(r.gsv.snr[2], 0);
         EXPECT_EQ(r.gsv.prn[3], -128);
         EXPECT_EQ(r.gsv.elevation[3], -128);
         EXPECT_EQ(r.gsv.azimuth[3], -1);
         EXPECT_EQ(r.gsv.snr[3], -128);
     }},
    {"$GPGSV,3,1,12,07,06,336,17,08,05,281,25,10,51,291,39,16,70,279,37,0", // signal id
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gsv.blockCount, 4);
         EXPECT_EQ(r.gsv.satellitesInView, 12);
         EXPECT_EQ(r.gsv.prn[3], 16);
         EXPECT_EQ(r.gsv.snr[3], 37);
     }},
    {"$GPGSV,4,4,13,29,08,098,30,0",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gsv.blockCount, 1);
         EXPECT_EQ(r.gsv.snr[0], 30);
         EXPECT_EQ(r.gsv.prn[1], -128);
     }},
    {"$GPGSV,1,1,01,200,300,,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gsv.prn[0], -56);      // wraps to 8 bits, no test
         EXPECT_EQ(r.gsv.elevation[0], 44); // 300 wraps to 44 and passes 0..90
         EXPECT_EQ(r.gsv.azimuth[0], -1);
         EXPECT_EQ(r.gsv.snr[0], -128);
     }},
    {"$GPGSV,,,,07,,120,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.gsv.sentenceCount, 0); // an empty count reads 0
         EXPECT_EQ(r.gsv.elevation[0], -128);
     }},
    {"$HEHDT,274.07,T", [](const SentenceRecord& r) { EXPECT_FLOAT_EQ(r.hdt.heading, 274.07f); }},
    {"$HEHDT,,T", [](const SentenceRecord& r) { EXPECT_FLOAT_EQ(r.hdt.heading, 511.0f); }},
    {"$PCVN,R,MID,211444000,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.mid.number1, 211444000);
         EXPECT_EQ(r.mid.number2, 999999999);
     }},
    {"$PCVN,R,MOB,A1B2C3,5,0F,,0102",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.mob.id[0], 0xA1);
         EXPECT_EQ(r.mob.id[2], 0xC3);
         EXPECT_EQ(r.mob.byte1, 5);
         EXPECT_EQ(r.mob.byte2, 0x0F);
         EXPECT_EQ(r.mob.optionalPresent, 0);
         EXPECT_EQ(r.mob.dataCount, 2);
         EXPECT_EQ(r.mob.data[1], 2);
     }},
    {"$PCVN,R,MOB,A1B2,,,7F,01020",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.mob.id[0], 0); // not six characters
         EXPECT_EQ(r.mob.byte1, 255);
         EXPECT_EQ(r.mob.byte2, 255);
         EXPECT_EQ(r.mob.optional, 0x7F);
         EXPECT_EQ(r.mob.optionalPresent, 1);
         EXPECT_EQ(r.mob.dataCount, 0); // odd length
     }},
    {"$PCVN,R,MOB,,,,,01ZZ", [](const SentenceRecord& r) { EXPECT_EQ(r.mob.dataCount, 0); }}, // accepted
    {"$RAOSD,35.1,A,36.0,P,10.2,P,,0.1,N",
     [](const SentenceRecord& r) {
         EXPECT_FLOAT_EQ(r.osd.heading, 35.1f);
         EXPECT_FLOAT_EQ(r.osd.set, 0.0f); // no empty mark
         EXPECT_EQ(r.osd.speedUnits, 'N');
     }},
    {"$AIGPQ,,,,,,,,,GGA",
     [](const SentenceRecord& r) {
         EXPECT_STREQ(r.formatter, "Q");
         EXPECT_STREQ(r.talker, "AI");
         EXPECT_STREQ(r.query.text, ", , , , , , , ,GGA"); // leading space skipped
     }},
    {"$GPRMA,A,4916.45,N,12311.12,W,,,,,,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.rma.status, 'A');
         EXPECT_FLOAT_EQ(r.rma.position.longitude, -123.18533f);
     }},
    {"$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.rmc.status, 'A');
         EXPECT_FLOAT_EQ(r.rmc.speed, 22.4f);
         EXPECT_FLOAT_EQ(r.rmc.course, 84.4f);
         EXPECT_EQ(r.rmc.date.year, 2094);
         EXPECT_EQ(r.rmc.date.month, 3);
         EXPECT_EQ(r.rmc.date.day, 23);
         EXPECT_EQ(r.rmc.variationDirection, 'W');
         EXPECT_EQ(r.rmc.mode, 'A'); // no mode field: 'A'
     }},
    {"$GNRMC,123519,V,,,,,,,,,,N",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.rmc.variationDirection, kNoChar);
         EXPECT_EQ(r.rmc.mode, 'N');
         EXPECT_EQ(r.rmc.date.year, 0);
     }},
    {"$GNRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,D,V",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.rmc.mode, 'D');
         EXPECT_EQ(r.rmc.navigationalStatus, 'V');
     }},
    {"$TIROT,-35.6,A",
     [](const SentenceRecord& r) {
         EXPECT_FLOAT_EQ(r.rot.rate, -35.6f);
         EXPECT_EQ(r.rot.status, 'A');
     }},
    {"$AISSD,PD3312,CORVANA,050,010,05,05,0,AI",
     [](const SentenceRecord& r) {
         EXPECT_STREQ(r.ssd.callSign, "PD3312");
         EXPECT_STREQ(r.ssd.name, "CORVANA");
         EXPECT_EQ(r.ssd.referenceA, 50);
         EXPECT_EQ(r.ssd.referenceD, 5);
         EXPECT_EQ(r.ssd.dte, 0);
         EXPECT_STREQ(r.ssd.source, "AI");
     }},
    {"$AISSD,ABCDEFGHIJ,,,,,,,",
     [](const SentenceRecord& r) {
         EXPECT_STREQ(r.ssd.callSign, "ABCDEFG"); // cut to its 7 characters
         EXPECT_STREQ(r.ssd.name, "");
         EXPECT_EQ(r.ssd.referenceB, 512);
         EXPECT_EQ(r.ssd.referenceC, 64);
         EXPECT_EQ(r.ssd.dte, 2);
     }},
    {"$PCVN,R,Smg,SELF TEST PASSED,7",
     [](const SentenceRecord& r) {
         EXPECT_STREQ(r.formatter, "Smg");
         EXPECT_STREQ(r.smg.text, "SELF TEST PASSED");
         EXPECT_EQ(r.smg.number, 7);
     }},
    {"$PCVN,R,TPS,,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.tps.number, 999);
         EXPECT_STREQ(r.tps.text, "");
     }},
    {"$PCVN,R,TST,12345,1,P,A,16",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.tst.number, 12345);
         EXPECT_EQ(r.tst.char1, 'P');
         EXPECT_EQ(r.tst.char2, 'A');
         EXPECT_EQ(r.tst.word, 16);
     }},
    {"$PCVN,R,TST,,,,,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.tst.number, 99999);
         EXPECT_EQ(r.tst.byte, 99);
         EXPECT_EQ(r.tst.word, -1);
     }},
    {"$PCVN,R,TXT,01,01,01,FIRMWARE=1.2.3",
     [](const SentenceRecord& r) {
         EXPECT_STREQ(r.talker, "P");
         EXPECT_STREQ(r.formatter, "TXT");
         EXPECT_EQ(r.subKind, 'R');
         EXPECT_EQ(r.txt.total, 1);
         EXPECT_STREQ(r.txt.text, "FIRMWARE=1.2.3");
     }},
    {"$GPTXT,01,,02," + std::string(70, 'x'),
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.txt.number, -128);
         EXPECT_EQ(r.txt.textId, 2);
         EXPECT_EQ(std::strlen(r.txt.text), 61u); // cut to 61
     }},
    {"$VDVBW,12.3,0.07,A,,0.12,V",
     [](const SentenceRecord& r) {
         EXPECT_FLOAT_EQ(r.vbw.waterLongitudinal, 12.3f);
         EXPECT_FLOAT_EQ(r.vbw.groundLongitudinal, 0.0f); // no empty mark
         EXPECT_EQ(r.vbw.groundStatus, 'V');
     }},
    {"!AIVDM,1,1,,B,177KQJ5000G?tO`K>RA1wUbN0TKH,0",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.vdm.total, 1);
         EXPECT_EQ(r.vdm.sequentialId, -128);
         EXPECT_EQ(r.vdm.channel, 'B');
         EXPECT_STREQ(r.vdm.payload, "177KQJ5000G?tO`K>RA1wUbN0TKH");
         EXPECT_EQ(r.vdm.fillBits, 0);
     }},
    {"!AIVDM,0,0,,A,1,0", [](const SentenceRecord& r) { EXPECT_EQ(r.vdm.total, 0); }},
    {"!AIVDM,2,1,3,A," + std::string(63, '0') + ",0",
     [](const SentenceRecord& r) { EXPECT_EQ(std::strlen(r.vdm.payload), 63u); }},
    {"!AIVDO,1,1,,,B39i>1000nTu;gQAlBj:wwS5kP06,0",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.vdo.channel, kNoChar);
         EXPECT_STREQ(r.vdo.payload, "B39i>1000nTu;gQAlBj:wwS5kP06");
     }},
    {"$AIVSD,036,2.5,12,ROTTERDAM,123000.00,15,06,0,0",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.vsd.shipType, 36);
         EXPECT_FLOAT_EQ(r.vsd.draught, 2.5f);
         EXPECT_EQ(r.vsd.persons, 12);
         EXPECT_STREQ(r.vsd.destination, "ROTTERDAM");
         EXPECT_EQ(r.vsd.eta.hour, 12);
         EXPECT_EQ(r.vsd.etaDay, 15);
         EXPECT_EQ(r.vsd.etaMonth, 6);
     }},
    {"$AIVSD,300,,,,,,,,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.vsd.shipType, 44); // low 8 bits
         EXPECT_FLOAT_EQ(r.vsd.draught, kNoReal);
         EXPECT_EQ(r.vsd.persons, 8192);
         EXPECT_STREQ(r.vsd.destination, "");
         EXPECT_EQ(r.vsd.eta.hour, 24);
         EXPECT_EQ(r.vsd.etaDay, 32);
         EXPECT_EQ(r.vsd.etaMonth, 13);
         EXPECT_EQ(r.vsd.navigationalStatus, -128);
     }},
    {"$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K,A",
     [](const SentenceRecord& r) {
         EXPECT_FLOAT_EQ(r.vtg.courseTrue, 54.7f);
         EXPECT_EQ(r.vtg.courseTrueUnit, 'T');
         EXPECT_FLOAT_EQ(r.vtg.speedKmh, 10.2f);
         EXPECT_EQ(r.vtg.speedKmhUnit, 'K');
         EXPECT_EQ(r.vtg.mode, 'A');
     }},
    {"$GPVTG,054.7,,,,005.5,N,,,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.vtg.courseTrueUnit, kNoChar);
         EXPECT_FLOAT_EQ(r.vtg.courseMagnetic, kNoReal);
         EXPECT_EQ(r.vtg.courseMagneticUnit, kNoChar);
         EXPECT_EQ(r.vtg.speedKmhUnit, ' '); // stored as read
     }},
    {"$GPWPL,4807.038,N,01131.000,E,WPTNME",
     [](const SentenceRecord& r) {
         EXPECT_FLOAT_EQ(r.wpl.position.latitude, 48.1173f);
         EXPECT_STREQ(r.wpl.identifier, "WPTNME");
     }},
    {"$GPZDA,201530.00,04,07,2002,00,00",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.zda.time.hour, 20);
         EXPECT_EQ(r.zda.day, 4);
         EXPECT_EQ(r.zda.month, 7);
         EXPECT_EQ(r.zda.year, 2002);
         EXPECT_EQ(r.zda.zoneHours, 0);
     }},
    {"$GPZDA,201530.00,,,,-13,",
     [](const SentenceRecord& r) {
         EXPECT_EQ(r.zda.day, -128);
         EXPECT_EQ(r.zda.year, -1);
         EXPECT_EQ(r.zda.zoneHours, -13);
         EXPECT_EQ(r.zda.zoneMinutes, -128);
     }},
};

TEST(Parsers, AcceptGoodLinesWithTheirValues)
{
    for (const GoodLine& good : kGoodLines) {
        SCOPED_TRACE(good.body);
        SentenceRecord record{};
        ASSERT_TRUE(test::ParseBody(good.body, record));
        good.check(record);
    }
}

TEST(Parsers, EveryAcceptedFormatterHasAGoodLine)
{
    const char* const formatters[] = {
        "ABK", "ABM", "ACA", "ACK", "ACS", "AIQ", "ALR", "BBM", "BDY", "BTH", "DBG", "DTM", "FRQ", "GBS",
        "GGA", "GLL", "GNS", "GRS", "GSA", "GST", "GSV", "HDT", "MID", "MOB", "OSD", "Q",   "RMA", "RMC",
        "ROT", "SSD", "Smg", "TPS", "TST", "TXT", "VBW", "VDM", "VDO", "VSD", "VTG", "WPL", "ZDA",
    };
    for (const char* formatter : formatters) {
        bool found = false;
        for (const GoodLine& good : kGoodLines) {
            SentenceRecord record{};
            if (test::ParseBody(good.body, record) && std::strcmp(record.formatter, formatter) == 0)
                found = true;
        }
        EXPECT_TRUE(found) << formatter;
    }
}

TEST(Parsers, RejectBadLines)
{
    const std::string bad[] = {
        // wrong comma counts
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,",
        "$GPGSV,1,1,01,07,40,083,46,1,1", // more than the signal id after the blocks
        "$GPGSV,1,1,00,1",                // no block, with or without the signal id
        "$GPGSV,1,1,00",
        "$GPGSV,1,1,01,07,91,083,46,1", // elevation above 90, with the signal id
        "$GNGSA,A,3,29,20,,,,,,,,,,,0.99,0.54,0.83,1,1",
        "$GNGBS,223745.00,1.0,1.0,3.1,,,,,", // the system id without the signal id
        "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1",
        "$CCGPQ,GGA",       // a one-field query
        "$GPRMA,A,4916.45", // RMA ending early
        "$GPRMA",
        // field tests
        "$GPGSV,1,1,01,07,91,083,46", // elevation above 90
        "$GPGSV,1,1,01,07,-1,083,46",
        "$GPGSV,1,1,01,07,40,360,46",  // azimuth 360
        "$GPGSV,1,1,01,07,40,083,100", // SNR 100
        "$GPGSV,10,1,01,07,40,083,46", // more than 9 sentences
        "$GNGNS,122310.2,3722.425671,N,12258.856215,W,AA,14,120.0,1005.543,6.5,,",
        "$GPZDA,201530.00,04,13,2002,00,00", // month 13
        "$GPZDA,201530.00,00,07,2002,00,00",
        "$GPZDA,201530.00,04,07,2002,14,00",
        "$GPZDA,201530.00,04,07,2002,00,60",
        "$GPVTG,054.7,TT,034.4,M,005.5,N,010.2,K,A", // unit of two characters
        "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,KM,A",
        "!AIVDM,1,1,,B,177KQJ5000G?tO`K>RA1wUbN0TKH,6", // fill bits 6
        "!AIVDM,1,1,,B,177KQJ5000G?tO`K>RA1wUbN0TKH,",  // empty fill bits
        "!AIVDM,10,1,,B,177KQJ5000G?tO`K>RA1wUbN0TKH,0",
        "!AIVDM,1,,,B,177KQJ5000G?tO`K>RA1wUbN0TKH,0",
        "!AIVDM,1,1,10,B,177KQJ5000G?tO`K>RA1wUbN0TKH,0",
        "!AIVDM,1,1,,A," + std::string(63, '0') + ",0", // 63 characters need an identifier
        "!AIVDM,2,1,3,A," + std::string(64, '0') + ",0",
        "!AIVDO,1,1,,B,177KQJ5000G?tO`K>RA1wUbN0TKH,-1",
        "!AIABM,1,1,0,211444000,A,12,E@EL5@hTppm=@TF@,",
        "!AIBBM,1,1,0,2,8,04a9M>1@PD5CD0,9",
        "$GPTXT,01,00,01,TEXT", // sentence number 0
        "$GPTXT,100,01,01,TEXT",
        "$PCVN,Q,AIQ,SMG,1",             // case-sensitive
        "$PCVN,R,MOB,A1G2C3,5,0F,,0102", // non-hexadecimal identifier pair
        "$PCVN,R,MOB,A1B2C3,5,0G,,0102",
        "$PCVN,R,MOB,A1B2C3,5,0F,Z,0102",
        // identification
        "$PGRMZ,246,f,3", // another maker's proprietary sentence
        "$PCVN",
        "$PCVN,R,XYZ,1",
        "$CDDSC,20,3380400790,00,21,26,1423108312,2021,,,S,E",
        "$GPLRI,1",
        "$GPXXX,1",
    };
    for (const std::string& body : bad) {
        SentenceRecord record{};
        EXPECT_FALSE(test::ParseBody(body, record)) << body;
    }
}

TEST(ParseSentence, VerifiesTheChecksumOverTheLineAsReceived)
{
    // The checksum covers "PCVN,R,TXT,..." even though the TXT parser sees "$PTXT,...".
    SentenceRecord record{};
    std::string line = test::Framed("$PCVN,R,TXT,01,01,01,SN=12345");
    EXPECT_TRUE(test::ParseLine(line, record));
    line[7] = 'Q'; // same checksum would not fit the changed sub-kind
    EXPECT_FALSE(test::ParseLine(line, record));
}

TEST(ParseSentence, KeepsFieldsOfARejectedSentenceInTheRecord)
{
    SentenceRecord record{};
    ASSERT_FALSE(test::ParseBody("$GPGSV,1,1,01,07,91,083,46", record));
    EXPECT_EQ(record.gsv.prn[0], 7);
    EXPECT_EQ(record.gsv.elevation[0], 91);
}

} // namespace
} // namespace nmea
