#include "forms/work/work.h"
#include "game_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#ifdef Q_OS_WASM
#include <emscripten.h>
#endif

namespace {

class HostileNames : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        begin().show();
        field = ctl<QLineEdit>(begin(), "Text1");
    }
    void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        field->paste();
    }
    // Confirms the name and returns what the main screen shows.
    QString confirm() {
        click(ctl(begin(), "Label2"));
        return vantaro().isLoaded() ? ctl(vantaro(), "lblName")->text() : QString();
    }
    QLineEdit* field = nullptr;
};

TEST_F(HostileNames, ALongPasteIsCutToTwentyWithOneClick) {
    paste(QString(200, QChar(u'Ж')));
    EXPECT_EQ(field->text(), QString(20, QChar(u'Ж')));
    EXPECT_EQ(sounds.size(), 1u);
    EXPECT_EQ(confirm(), QString(20, QChar(u'Ж')));
}

TEST_F(HostileNames, TheLimitNeverSplitsACharacterInTwo) {
    const QString smile = QStringLiteral("😀"); // two UTF-16 units
    field->setText(QString(19, QLatin1Char('a')));
    sounds.clear();
    paste(smile);
    EXPECT_EQ(field->text(), QString(19, QLatin1Char('a')));
    EXPECT_EQ(sounds.size(), 1u) << "one change, one click";
    // In the middle: the half that does not fit goes, the rest stays whole.
    field->setText(QStringLiteral("ab") + QString(17, QLatin1Char('c')));
    field->setCursorPosition(1);
    paste(smile + smile);
    EXPECT_EQ(field->text(), QStringLiteral("ab") + QString(17, QLatin1Char('c')))
        << "19 units left room for one unit only";
    field->setText(QString(18, QLatin1Char('a')));
    paste(smile + smile);
    EXPECT_EQ(field->text(), QString(18, QLatin1Char('a')) + smile);
    const QString name = confirm();
    EXPECT_EQ(name, QString(18, QLatin1Char('a')) + smile);
    EXPECT_EQ(Begin::withoutBrokenCharacters(gameState().PlayerName), gameState().PlayerName);
    EXPECT_EQ(Begin::withoutBrokenCharacters(QStringLiteral("x") + smile.at(0) +
                                             QStringLiteral("y") + smile.at(1) + smile),
              QStringLiteral("xy") + smile);
}

TEST_F(HostileNames, RightToLeftTabsAndLineBreaksAreKeptAsTyped) {
    const QString hebrew = QStringLiteral("שלום עולם");
    paste(hebrew);
    EXPECT_EQ(confirm(), hebrew);
    EXPECT_EQ(gameState().PlayerName, hebrew);
    EXPECT_EQ(gameState().Money.value(), 250);
}

TEST_F(HostileNames, PastedControlCharactersDoNotBreakTheGame) {
    paste(QStringLiteral("Ва\tся\nПуп\rкин"));
    const QString typed = field->text();
    EXPECT_FALSE(typed.isEmpty());
    EXPECT_EQ(confirm(), typed);
    EXPECT_EQ(gameState().PlayerName, typed);
    EXPECT_TRUE(vantaro().window()->isVisible());
}

TEST_F(HostileNames, MarkupIsShownAsTypedOnEveryLabelThatShowsTheName) {
    for (const QString& name : {QStringLiteral("<b>Вилт</b>"), QStringLiteral("<img src=x>")}) {
        SCOPED_TRACE(name.toStdString());
        reset();
        begin().show();
        field = ctl<QLineEdit>(begin(), "Text1");
        paste(name);
        EXPECT_EQ(confirm(), name);
        EXPECT_EQ(gameState().Money.value(), 250) << "no special start hidden in markup";
        work().show();
        ctl<CommandButton>(work(), "ChastTaxist")->click();
        Label* refusal = ctl(work(), "lbllbl");
        EXPECT_TRUE(refusal->text().startsWith(name + QLatin1Char(',')));
        for (Label* l : {ctl(vantaro(), "lblName"), refusal}) {
            EXPECT_EQ(l->textFormat(), Qt::PlainText);
        }
    }
}

// --- a broken installation ---

class BrokenSounds : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        oldCwd = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QDir(dir.path()).mkpath(QStringLiteral("Sound"));
    }
    void TearDown() override { QDir::setCurrent(oldCwd); }
    void write(const char* name, const QByteArray& data) {
        QFile f(dir.filePath(QStringLiteral("Sound/") + QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QTemporaryDir dir;
    QString oldCwd;
};

TEST_F(BrokenSounds, EmptyFilesAndFoldersAreSkippedAndNothingStopsTheGame) {
    write("Click1.wav", QByteArray("RIFF\x10\x00\x00\x00WAVEjunkjunkjunk", 24));
    write("eda1.wav", QByteArray());
    QDir(dir.path()).mkpath(QStringLiteral("Sound/taxist.wav"));
    // The corrupt file is the working directory's and is handed to the player as it is.
    EXPECT_EQ(resolveSoundPath(QStringLiteral("Sound\\Click1.wav")),
              QDir(dir.path()).absoluteFilePath(QStringLiteral("Sound/Click1.wav")));
    for (const char* f : {"Sound\\Click1.wav", "Sound\\eda1.wav", "Sound\\taxist.wav",
                          "Sound\\nothing.wav", "Sound\\..\\..\\etc\\passwd", ""}) {
        PlayClick(QString::fromLatin1(f));
    }
    // An empty file or a folder in the working directory gives way to the shipped sound.
    EXPECT_TRUE(resolveSoundPath(QStringLiteral("Sound\\eda1.wav")).startsWith(gameDataDir()));
    EXPECT_TRUE(resolveSoundPath(QStringLiteral("Sound\\taxist.wav")).startsWith(gameDataDir()));
    EXPECT_TRUE(resolveSoundPath(QStringLiteral("Sound\\nothing.wav")).isEmpty());
}

#ifdef Q_OS_WASM
// A browser that throws when asked for an audio context, or for a decoded sound, leaves the game
// silent and saying so once; nothing it throws reaches the game.
TEST_F(BrokenSounds, ABrowserThatThrowsLeavesTheGameSilent) {
    write("Click1.wav", QByteArray("RIFF\x10\x00\x00\x00WAVEjunkjunkjunk", 24));
    // clang-format off
    EM_ASM({
        const s = Module.vantaroSound;
        Module.kept = ({ AudioContext: globalThis.AudioContext, ctx: s.ctx, sounds: s.sounds, said: s.said });
        Object.assign(s, { ctx: null, sounds: new Map(), said: false });
        globalThis.AudioContext = function() { throw new Error("no audio device"); };
    });
    PlayClick(QStringLiteral("Sound\\Click1.wav"));
    EXPECT_EQ(EM_ASM_INT({ return Module.vantaroSound.said && !Module.vantaroSound.ctx ? 1 : 0; }), 1);
    EM_ASM({
        globalThis.AudioContext = class extends Module.kept.AudioContext {
            decodeAudioData() { throw new TypeError("not decoded"); }
        };
    });
    PlayClick(QStringLiteral("Sound\\Click1.wav"));
    EXPECT_EQ(EM_ASM_INT({ return Module.vantaroSound.sounds.size; }), 1);
    EM_ASM({
        const s = Module.vantaroSound;
        const k = Module.kept;
        s.ctx.close();
        globalThis.AudioContext = k.AudioContext;
        Object.assign(s, { ctx: k.ctx, sounds: k.sounds, said: k.said });
    });
// clang-format on
}
#endif

} // namespace
