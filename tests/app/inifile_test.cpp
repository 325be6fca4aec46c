#include "app/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& content)
{
    const QString path = dir.filePath(QStringLiteral("test.ini"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    return path;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

struct ReadCase {
    const char* content;
    const char* section;
    const char* key;
    std::optional<QByteArray> expected;
};

class IniRead : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(IniRead, FindsValueAsTheProfileRulesSay)
{
    QTemporaryDir dir;
    const ReadCase& c = GetParam();
    const IniFile ini = IniFile::load(writeFile(dir, c.content));
    EXPECT_EQ(ini.value(c.section, c.key), c.expected) << c.content;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    ::testing::Values(ReadCase{"[VIEW]\r\nLanguage=1\r\n", "VIEW", "Language", "1"},
                      ReadCase{"[view]\nlanguage=2\n", "VIEW", "Language", "2"},
                      ReadCase{"  [ MENU ]  \n  File  =  Datei(&D)  \n", "menu", "FILE", "Datei(&D)"},
                      ReadCase{"[A]\nk=a=b\n", "A", "k", "a=b"},
                      ReadCase{"[A]\nk=\"quoted value\"\n", "A", "k", "quoted value"},
                      ReadCase{"[A]\nk='x'\n", "A", "k", "x"},
                      ReadCase{"[A]\nk=\"half\n", "A", "k", "\"half"}, ReadCase{"[A]\nk=\n", "A", "k", ""},
                      ReadCase{"k=outside\n[A]\nj=1\n", "A", "k", std::nullopt},
                      ReadCase{"[A]\nk=1\n[B]\nk=2\n", "B", "k", "2"},
                      ReadCase{"[A]\n;k=comment\n", "A", "k", std::nullopt},
                      ReadCase{"[A]\nk=first\nk=second\n", "A", "k", "first"},
                      ReadCase{"[A]\nkey=1", "A", "key", "1"}, ReadCase{"", "A", "k", std::nullopt}));

TEST(IniFile, MissingFileReadsAsEmpty)
{
    const IniFile ini = IniFile::load(QStringLiteral("/nonexistent/folder/none.ini"));
    EXPECT_FALSE(ini.value("VIEW", "Language"));
}

TEST(IniFile, LongValueIsCutTo2047Bytes)
{
    QTemporaryDir dir;
    const QByteArray longValue(3000, 'x');
    const IniFile ini = IniFile::load(writeFile(dir, "[A]\nk=" + longValue + "\n"));
    EXPECT_EQ(ini.value("A", "k"), QByteArray(2047, 'x'));
}

TEST(IniFile, IntegerValueMustBeANumber)
{
    QTemporaryDir dir;
    const IniFile ini = IniFile::load(writeFile(dir, "[V]\na=1\nb= 7 \nc=abc\nd=2x\ne=-3\nf=\n"));
    EXPECT_EQ(ini.intValue("V", "a"), 1);
    EXPECT_EQ(ini.intValue("V", "b"), 7);
    EXPECT_EQ(ini.intValue("V", "c"), std::nullopt);
    EXPECT_EQ(ini.intValue("V", "d"), std::nullopt);
    EXPECT_EQ(ini.intValue("V", "e"), -3);
    EXPECT_EQ(ini.intValue("V", "f"), std::nullopt);
    EXPECT_EQ(ini.intValue("V", "missing"), std::nullopt);
}

TEST(IniFile, WritingAValueKeepsEveryOtherLine)
{
    QTemporaryDir dir;
    const QByteArray before = "; my notes\r\n[OTHER]\r\nx = 1\r\n\r\n[view]\r\nZoom=3\r\nlanguage=1\r\n"
                              "Extra=\"a b\"\r\n[LAST]\r\ny=2\r\n";
    const QString path = writeFile(dir, before);
    IniFile ini = IniFile::load(path);
    ini.setValue("VIEW", "Language", "0");
    ASSERT_TRUE(ini.save(path));
    QByteArray expected = before;
    expected.replace("language=1", "language=0");
    EXPECT_EQ(readFile(path), expected);
}

TEST(IniFile, MissingKeyGoesToTheEndOfItsSection)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "[VIEW]\nZoom=3\n\n[LAST]\ny=2\n");
    IniFile ini = IniFile::load(path);
    ini.setValue("VIEW", "Language", "2");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(readFile(path), QByteArray("[VIEW]\nZoom=3\nLanguage=2\n\n[LAST]\ny=2\n"));
}

TEST(IniFile, MissingSectionIsAppended)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "[OTHER]\r\nx=1");
    IniFile ini = IniFile::load(path);
    ini.setValue("VIEW", "Language", "0");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(readFile(path), QByteArray("[OTHER]\r\nx=1\n[VIEW]\r\nLanguage=0\r\n"));
}

TEST(IniFile, NewFileHoldsSectionAndKey)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.ini"));
    IniFile ini = IniFile::load(path);
    ini.setValue("VIEW", "Language", "0");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(readFile(path), QByteArray("[VIEW]\r\nLanguage=0\r\n"));
    EXPECT_EQ(IniFile::load(path).intValue("VIEW", "Language"), 0);
}

} // namespace
