#include "state/gamestate.h"
#include "state/int16.h"
#include "state/playclick.h"

#include <QDir>
#include <QFile>
#ifndef VANTARO_SOUND_LINKED
#include <QLibrary>
#endif
#include <QTemporaryDir>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace {

struct SumCase {
    int a;
    int b;
    char op;
    int expected;
};

class Int16Sums : public ::testing::TestWithParam<SumCase> {};

TEST_P(Int16Sums, SaturatesInsteadOfWrapping) {
    const SumCase c = GetParam();
    Int16 v = c.a;
    if (c.op == '+') {
        v += c.b;
    } else {
        v -= c.b;
    }
    EXPECT_EQ(v.value(), c.expected);
    const Int16 w = c.op == '+' ? Int16(c.a) + Int16(c.b) : Int16(c.a) - Int16(c.b);
    EXPECT_EQ(w.value(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    BothEnds, Int16Sums,
    ::testing::Values(SumCase{32767, 1, '+', 32767}, SumCase{32700, 100, '+', 32767},
                      SumCase{32766, 1, '+', 32767}, SumCase{-32768, 1, '-', -32768},
                      SumCase{-32760, 21, '-', -32768}, SumCase{-32767, 1, '-', -32768},
                      SumCase{32767, -1, '-', 32767}, SumCase{-32768, -1, '+', -32768},
                      SumCase{250, 4, '-', 246}, SumCase{0, 1, '-', -1}, SumCase{-30, 30, '+', 0}),
    [](const auto& p) {
        const auto number = [](int v) {
            return (v < 0 ? std::string("Minus") : std::string()) + std::to_string(std::abs(v));
        };
        const SumCase& c = p.param;
        return number(c.a) + (c.op == '+' ? "_plus_" : "_minus_") + number(c.b);
    });

TEST(Int16, SalaryKeepsMoneyAtTheTopAndSpendingStillWorks) {
    Int16 money = 32000;
    for (int day = 0; day < 100; ++day) {
        money += 100;
    }
    EXPECT_EQ(money.value(), 32767);
    money -= 7;
    EXPECT_EQ(money.value(), 32760);
}

TEST(Int16, OutOfRangeValuesClampAndPrintAsDecimals) {
    EXPECT_EQ(Int16(70000).value(), 32767);
    EXPECT_EQ(Int16(-70000).value(), -32768);
    EXPECT_EQ(Int16(-5).str(), QStringLiteral("-5"));
    EXPECT_EQ(Int16(0).str(), QStringLiteral("0"));
    EXPECT_EQ(Int16(2500).str(), QStringLiteral("2500"));
}

TEST(GameStateTest, EveryFieldStartsAtZeroAndEmpty) {
    const GameState s;
    EXPECT_TRUE(s.PlayerName.isEmpty());
    const Int16 fields[] = {
        s.HomeRooms,  s.MebelLevel,  s.VannaLevel,   s.Sitost,      s.Money,
        s.InSchool,   s.InDriving,   s.InTehno,      s.SchoolLevel, s.DrivingLevel,
        s.TehnoLevel, s.SchoolTicks, s.DrivingTicks, s.TehnoTicks,  s.Zarplata,
        s.Korpus,     s.Dvigatel,    s.Pushka,       s.Obshivka,    s.SystNav,
        s.Bak,        s.Radar,       s.ARadar,       s.Akkom,       s.ZK};
    for (const Int16 f : fields) {
        EXPECT_EQ(f.value(), 0);
    }
    EXPECT_EQ(&gameState(), &gameState());
}

struct NameCase {
    const char* id;
    const char* name;
    bool special;
};

class StartingValues : public ::testing::TestWithParam<NameCase> {};

TEST_P(StartingValues, OnlyTheExactSpecialNamesStartRich) {
    const NameCase c = GetParam();
    GameState s;
    s.PlayerName = QString::fromUtf8(c.name);
    applyStartingValues(s);
    EXPECT_EQ(isSpecialName(s.PlayerName), c.special);
    EXPECT_EQ(s.Money.value(), c.special ? 2500 : 250);
    EXPECT_EQ(s.Sitost.value(), c.special ? 200 : 10);
}

INSTANTIATE_TEST_SUITE_P(NamesAndNearMisses, StartingValues,
                         ::testing::Values(NameCase{"Special1", "Вилт", true},
                                           NameCase{"Special2", "Бранок", true},
                                           NameCase{"Special3", "Ксут", true},
                                           NameCase{"Special1InLowerCase", "вилт", false},
                                           NameCase{"Special1InCapitals", "ВИЛТ", false},
                                           NameCase{"Special2InLowerCase", "бранок", false},
                                           NameCase{"Special3InLowerCase", "ксут", false},
                                           NameCase{"Special1WithTrailingSpace", "Вилт ", false},
                                           NameCase{"Special3WithLeadingSpace", " Ксут", false},
                                           NameCase{"Special2WithTrailingTab", "Бранок\t", false},
                                           NameCase{"Special1WithAnExtraLetter", "Вилта", false},
                                           NameCase{"Special1InLatinLetters", "Vilt", false},
                                           NameCase{"Empty", "", false}),
                         [](const auto& p) { return std::string(p.param.id); });

// --- sound lookup ---

class SoundLookup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        oldCwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(oldCwd); }
    void writeFile(const QString& rel, const QByteArray& data) {
        QDir(dir.path()).mkpath(QFileInfo(rel).path());
        QFile f(dir.filePath(rel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QTemporaryDir dir;
    QString oldCwd;
};

TEST_F(SoundLookup, WorkingDirectoryComesFirstAndBackslashSeparatesFolders) {
    writeFile(QStringLiteral("Sound/Click1.wav"), "RIFF....WAVE");
    const QString p = resolveSoundPath(QStringLiteral("Sound\\Click1.wav"));
    EXPECT_EQ(p, QDir(dir.path()).absoluteFilePath(QStringLiteral("Sound/Click1.wav")));
}

TEST_F(SoundLookup, ShippedSoundsAreFoundFromAnyFolder) {
    const QString p = resolveSoundPath(QStringLiteral("Sound\\Click1.wav"));
    ASSERT_FALSE(p.isEmpty());
    EXPECT_TRUE(p.startsWith(gameDataDir())) << p.toStdString();
    for (const char* job : {"taxist", "chasttaxist", "dalnoboishik", "kosmodaln", "taxipark",
                            "dalnboss", "gonshik", "supergonshik", "vantaro", "eda1"}) {
        EXPECT_FALSE(
            resolveSoundPath(QStringLiteral("Sound\\%1.wav").arg(QLatin1String(job))).isEmpty())
            << job;
    }
}

TEST(SoundModule, TheModuleThatPlaysSoundsIsThereAndOffersItsPlayer) {
#ifdef VANTARO_SOUND_LINKED
    GTEST_SKIP() << "the page's sound function is linked in: a web page loads no modules";
#else
    QLibrary module(soundModulePath());
    EXPECT_TRUE(module.load()) << module.errorString().toStdString();
    EXPECT_NE(module.resolve("vantaro_play_wav"), nullptr);
#endif
}

TEST_F(SoundLookup, EmptyFilesAndFoldersAreSkippedAndMissingFilesGiveNothing) {
    writeFile(QStringLiteral("Sound/eda1.wav"), QByteArray());
    QDir(dir.path()).mkpath(QStringLiteral("Sound/Click1.wav"));
    EXPECT_TRUE(resolveSoundPath(QStringLiteral("Sound\\eda1.wav")).startsWith(gameDataDir()));
    EXPECT_TRUE(resolveSoundPath(QStringLiteral("Sound\\Click1.wav")).startsWith(gameDataDir()));
    EXPECT_TRUE(resolveSoundPath(QStringLiteral("Sound\\nothing.wav")).isEmpty());
    EXPECT_TRUE(resolveSoundPath(QString()).isEmpty());
}

} // namespace

#include "ui/fonts.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QResource>

namespace {

TEST(Fonts, BundledFacesLoadAndMissingFilesFallBack) {
    EXPECT_EQ(familyFor(Face::MSSansSerif, true), QStringLiteral("Vantaro Sans"));
    EXPECT_EQ(familyFor(Face::MicrosoftSansSerif, false), QStringLiteral("Vantaro Sans"));
    EXPECT_EQ(familyFor(Face::TimesNewRoman, false), QStringLiteral("Vantaro Serif"));
    EXPECT_EQ(familyFor(Face::ComicSansMS, false), QStringLiteral("Vantaro Round"));
    const char* missing[] = {":/fonts/NoSuchFont.ttf", nullptr};
    EXPECT_EQ(registerFamily(missing, QStringLiteral("DejaVu Sans")),
              QStringLiteral("DejaVu Sans"));
    // Read in place from the program's resources, not unpacked into a copy.
    EXPECT_EQ(QResource(QStringLiteral(":/fonts/VantaroSans-Bold.ttf")).compressionAlgorithm(),
              QResource::NoCompression);
    const QFont f = gameFont({Face::ComicSansMS, 11.25, true});
    EXPECT_EQ(f.pixelSize(), 15);
    EXPECT_TRUE(f.bold());
    // The faces hold Latin and Cyrillic alone; a name's Greek letter still shows, through the
    // fallback font, not as the box of a character that no font has.
    const auto drawn = [&f](const QString& text) {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(f);
        painter.drawText(4, 22, text);
        painter.end();
        return image;
    };
#ifdef Q_OS_WIN
    // The Windows suite draws on Qt's offscreen platform, which sees none of the system's fonts;
    // the game's own platform falls back to them.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        return;
    }
#endif
    EXPECT_NE(drawn(QStringLiteral("Ω")), drawn(QString(QChar(0x0378)))) << "U+0378 is unassigned";
}

} // namespace
