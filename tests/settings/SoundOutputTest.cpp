#include "common/ProgramFixture.h"
#include "core/LineFile.h"
#include "settings/SoundFile.h"
#include "settings/SoundOutput.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {
// The program with its "Default" project opened and two sound files; sounds are recorded.
struct Sound : ProgramFixture {
    Sound()
    {
        write(QStringLiteral("klang/Ansage.wav"), "RIFF");
        write(QStringLiteral("klang/Pfiff.wav"), "RIFF");
        write(QStringLiteral("data/Testsound.wav"), "RIFF");
        info().ShowStartWindow(); // reads the project's settings, and so its sound file
        sound().calls.clear();
    }

    SoundOutput& out() { return system().sound(); }
    QString file(const char* name) const { return path(QStringLiteral("klang/") + QString::fromLatin1(name)); }
    QString souPath() const { return path(QStringLiteral("Projekte/Default/Default.sou")); }

    // Starts the library again on a device with `speakers` speakers.
    void speakers(int count)
    {
        sound().speakers = count;
        out().StartLibrary();
        sound().calls.clear();
    }
    // Sets volume and balance of `box` through the page, as the user does.
    void setBox(int box, int volume, int balance)
    {
        const auto& list = out().BoxListe;
        const auto row = std::find(list.begin(), list.end(), box) - list.begin();
        out().ChooseBox(static_cast<int>(row));
        ASSERT_EQ(out().SelectedBox, box) << "box not listed";
        out().SetVolume(volume);
        out().SetBalance(balance);
    }
    QStringList calls() { return sound().calls; }
    QStringList logSince(qsizetype first) const { return fenster->system().LogZeilen().mid(first); }
};

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts) {
        list << QString::fromUtf8(text);
    }
    return list;
}
} // namespace

TEST(SoundOutput, StartUpLogsTheLibraryTheSpeakersAndTheDevices)
{
    Sound f;
    EXPECT_EQ(f.system().LogZeilen().mid(0, 4),
              lines({"10:20:30 - BASS Initialisiert", "10:20:30 - Anzahl Boxen 2", "10:20:30 - Programm Start",
                     "Sounddatei Default erstellt 11.12.2026"}));

    f.sound().devices = {{QStringLiteral("No sound"), 0}, {QStringLiteral("HDA Intel PCH"), 6}};
    f.sound().initSucceeds = false;
    const qsizetype first = f.system().LogZeilen().size();
    f.out().StartLibrary();
    EXPECT_EQ(f.logSince(first), lines({"10:20:30 - BASS Init nicht möglich", "10:20:30 - Anzahl Boxen -1",
                                        "10:20:30 - HDA Intel PCH - Anzahl Boxen 6"}));
    EXPECT_FALSE(f.out().BassReady);
    EXPECT_TRUE(f.out().BoxListe.empty()) << "no device: no box to offer";
}

TEST(SoundOutput, NothingPlaysForNoSoundAMissingFileOrABoxThatDoesNotExist)
{
    Sound f;
    f.speakers(6);
    const qsizetype first = f.system().LogZeilen().size();
    f.system().PlaySound(f.file("Ansage.wav"), kKeinSound);
    f.system().PlaySound(f.file("Fehlt.wav"), 0);
    f.system().PlaySound(f.file("Ansage.wav"), 14);
    f.system().PlaySound(f.file("Ansage.wav"), -1);
    EXPECT_EQ(f.calls(), QStringList());
    EXPECT_EQ(f.logSince(first), QStringList({QStringLiteral("10:20:30 - ") + f.file("Fehlt.wav") + QStringLiteral("  -- Datei nicht gefunden"),
                                              QStringLiteral("10:20:30 - ") + f.file("Ansage.wav") + QStringLiteral("  -- Soundbox 14 gibt es nicht"),
                                              QStringLiteral("10:20:30 - ") + f.file("Ansage.wav") + QStringLiteral("  -- Soundbox -1 gibt es nicht")}));
}

TEST(SoundOutput, StreamGetsTheBoxsSpeakersVolumeAndPan)
{
    Sound f;
    f.speakers(6);
    f.setBox(2, 55, -30);
    f.setBox(3, 100, 100);
    f.sound().calls.clear();
    const qsizetype first = f.system().LogZeilen().size();

    f.system().PlaySound(f.file("Ansage.wav"), 2);
    f.system().PlaySound(f.file("Pfiff.wav"), 3);
    EXPECT_EQ(f.calls(), lines({"create Ansage.wav channel 2 CenterLfe -> 1", "volume 1 0.55", "pan 1 -0.3", "play 1",
                                "create Pfiff.wav channel 3 Rear2 -> 2", "volume 2 1", "pan 2 1", "play 2"}));
    EXPECT_EQ(f.logSince(first),
              QStringList({QStringLiteral("10:20:30 - ") + f.file("Ansage.wav") + QStringLiteral("Sound Mitte ausgeben"),
                           QStringLiteral("10:20:30 - ") + f.file("Pfiff.wav") + QStringLiteral("Sound Hinten 2 ausgeben")}));
}

TEST(SoundOutput, ANewSoundFreesTheStreamOfItsSlotAndTwoSpeakersShareOne)
{
    struct Case {
        int speakers;
        QStringList calls;
    };
    const Case cases[] = {
        {2, lines({"create Ansage.wav channel 0 Left -> 1", "volume 1 0.2", "pan 1 0.01", "play 1", "free 1",
                   "create Pfiff.wav channel 0 Right -> 2", "volume 2 0.2", "pan 2 0.01", "play 2", "free 2",
                   "create Ansage.wav channel 0 Left -> 3", "volume 3 0.2", "pan 3 0.01", "play 3"})},
        {6, lines({"create Ansage.wav channel 4 Left -> 1", "volume 1 0.2", "pan 1 0.01", "play 1",
                   "create Pfiff.wav channel 5 Right -> 2", "volume 2 0.2", "pan 2 0.01", "play 2", "free 1",
                   "create Ansage.wav channel 4 Left -> 3", "volume 3 0.2", "pan 3 0.01", "play 3"})},
    };
    for (const Case& c : cases) {
        Sound f;
        f.speakers(c.speakers);
        f.system().PlaySound(f.file("Ansage.wav"), 4);
        f.system().PlaySound(f.file("Pfiff.wav"), 5);
        f.system().PlaySound(f.file("Ansage.wav"), 4);
        EXPECT_EQ(f.calls(), c.calls) << c.speakers << " speakers";
    }
}

TEST(SoundOutput, AStreamThatCannotBeCreatedIsLoggedNotReportedAsPlaying)
{
    Sound f;
    f.sound().unplayable << QStringLiteral("Ansage.wav");
    const qsizetype first = f.system().LogZeilen().size();
    f.system().PlaySound(f.file("Ansage.wav"), 4);
    EXPECT_EQ(f.logSince(first), QStringList({QStringLiteral("10:20:30 - ") + f.file("Ansage.wav")
                                              + QStringLiteral("  -- Sound kann nicht abgespielt werden")}));
    EXPECT_FALSE(f.calls().contains(QStringLiteral("play 0")));
}

TEST(SoundOutput, FallbackSplitsTheVolumeByBalanceAndPlaysTheFile)
{
    Sound f;
    QStringList sou = SoundFileLines(DefaultSoundBoxes(), SoundMode::Fallback, QStringLiteral("Default"),
                                     QStringLiteral("11.12.2026"));
    sou[2 + 4 * 5 + 2] = QStringLiteral("Volume  10000"); // box 4
    sou[2 + 4 * 5 + 3] = QStringLiteral("Balance 0");     // read as 1: never divides by 0
    sou[2 + 5 * 5 + 2] = QStringLiteral("Volume  10000"); // box 5
    sou[2 + 5 * 5 + 3] = QStringLiteral("Balance 4");
    f.write(QStringLiteral("Projekte/Default/Default.sou"), LineWriter::JoinLines(sou));
    ASSERT_TRUE(f.out().LoadSoundSettings());
    ASSERT_TRUE(f.out().fallbackChecked());
    f.sound().calls.clear();

    f.system().PlaySound(f.file("Ansage.wav"), 4);
    f.system().PlaySound(f.file("Pfiff.wav"), 5);
    EXPECT_EQ(f.calls(), lines({"waveOut 10000 0", "playAsync Ansage.wav", "waveOut 2500 7500", "playAsync Pfiff.wav"}));
    EXPECT_EQ(f.out().boxes()[4].Balance, 1);
}

TEST(SoundOutput, SlidersApplyAtOnceToTheStreamOfTheChosenBox)
{
    Sound f;
    f.system().PlaySound(f.file("Ansage.wav"), 5); // stream 1, in the slot box 4 shares
    f.setBox(5, 80, -100);
    f.setBox(4, 30, 50); // box 4 has no stream of its own: box 5's sound stays as it is
    EXPECT_EQ(f.calls().mid(4), lines({"volume 1 0.8", "pan 1 -1"}));
    EXPECT_TRUE(f.programm->settings.SoundSettingsChanged);

    ASSERT_TRUE(f.out().SetFallback(true));
    f.sound().calls.clear();
    f.setBox(4, 9000, 3);
    EXPECT_EQ(f.calls(), lines({"waveOut 1800 7200", "waveOut 3000 6000"}));
    f.out().SetVolume(70000);
    EXPECT_EQ(f.out().boxes()[4].Volume, 65500) << "kept inside the slider's range";
}

TEST(SoundOutput, ChoosingAndActivatingABoxShowsItsTexts)
{
    Sound f;
    EXPECT_EQ(f.out().BoxListe, (std::vector<int>{4, 5}));
    EXPECT_EQ(f.out().SelectedBox, -1);
    f.out().ChooseBox(1);
    EXPECT_EQ(f.out().SelectedBox, 5);
    EXPECT_EQ(f.out().testHint, QStringLiteral("Sound an Sound Rechte Box abspielen"));
    EXPECT_EQ(f.out().activateText, QStringLiteral("Aktivieren"));
    EXPECT_EQ(f.out().activateHint, QStringLiteral("Lautsprecher Sound Rechte Box Aktivieren"));
    EXPECT_EQ(f.out().volumePosition(), 20);

    f.out().ToggleActive();
    EXPECT_TRUE(f.out().boxes()[5].Active);
    EXPECT_EQ(f.out().activateText, QStringLiteral("Deaktivieren"));
    EXPECT_EQ(f.out().activateHint, QStringLiteral("Lautsprecher Sound Rechte Box Deaktivieren"));
    f.out().SetBoxTicked(0, true);
    EXPECT_EQ(f.out().SelectedBox, 4);
    EXPECT_EQ(f.out().ActiveBoxes(), (std::vector<int>{4, 5}));

    f.out().RenameBox(QStringLiteral("Bahnsteig"));
    EXPECT_EQ(f.out().testHint, QStringLiteral("Sound an Bahnsteig abspielen"));
    f.sound().calls.clear();
    f.out().PlayTestSound();
    EXPECT_EQ(f.calls().value(0), QStringLiteral("create Testsound.wav channel 0 Left -> 1"));
}

TEST(SoundOutput, FallbackCheckBoxResetsEveryBoxOnlyWhenConfirmed)
{
    Sound f;
    f.setBox(4, 70, -20);
    f.out().ToggleActive();

    f.dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(f.out().SetFallback(true));
    EXPECT_EQ(f.dialogs.questions.value(0), QStringLiteral("Alle Einstellungen der Lautsprecher werden zurück gesetzt !! -- Weite ? "));
    EXPECT_FALSE(f.out().fallbackChecked());
    EXPECT_EQ(f.out().boxes()[4].Volume, 70);
    EXPECT_TRUE(f.out().boxes()[4].Active);

    struct Step {
        bool fallback;
        int volume;
        int balance;
        ValueRange volumeRange;
        ValueRange balanceRange;
    };
    const Step steps[] = {{true, 10000, 5, {0, 65500}, {1, 10}}, {false, 20, 1, {0, 100}, {-100, 100}}};
    for (const Step& s : steps) {
        f.dialogs.yesNoAnswers = {true};
        f.out().ChooseBox(0);
        ASSERT_TRUE(f.out().SetFallback(s.fallback));
        EXPECT_EQ(f.out().fallbackChecked(), s.fallback);
        EXPECT_EQ(f.out().SelectedBox, -1) << "the list was rebuilt";
        EXPECT_EQ(f.out().volumeRange(), s.volumeRange);
        EXPECT_EQ(f.out().balanceRange(), s.balanceRange);
        EXPECT_EQ(f.out().volumePosition(), s.volume);
        for (const SoundBox& box : f.out().boxes()) {
            EXPECT_FALSE(box.Active);
            EXPECT_EQ(box.Volume, s.volume);
            EXPECT_EQ(box.Balance, s.balance);
        }
    }
}

TEST(SoundOutput, SoundEditsAreSavedOnCloseAndKeptOnReload)
{
    Sound f;
    f.setBox(4, 64, -35);
    f.out().RenameBox(QStringLiteral("Bahnsteig Süd"));
    f.out().SetBoxTicked(1, true);
    ASSERT_FALSE(f.programm->settings.SettingsChanged) << "a sound-only edit";
    f.dialogs.yesNoAnswers = {true};
    f.system().CloseWindow();
    EXPECT_EQ(f.dialogs.questions, QStringList({QStringLiteral("System Einstellungen wurden geändert, Speichern?")}));

    const QStringList saved = LineReader::SplitLines(f.read(QStringLiteral("Projekte/Default/Default.sou")));
    ASSERT_EQ(saved.size(), 72);
    EXPECT_EQ(saved.mid(0, 2), lines({"Sounddatei Default erstellt 11.12.2026", "Ausgabe mit BASS"}));
    EXPECT_EQ(saved.mid(22, 5), lines({"*** BOX 4*********************", "ID      Bahnsteig Süd", "Volume  64",
                                       "Balance -35", "NOT AKTIV"}));
    EXPECT_EQ(saved[31], QStringLiteral("AKTIV"));

    f.start();
    f.info().ShowStartWindow();
    const SoundBox& box = f.out().boxes()[4];
    EXPECT_EQ(box.Name, QStringLiteral("Bahnsteig Süd"));
    EXPECT_EQ(box.Volume, 64) << "not reset to the mode's default";
    EXPECT_EQ(box.Balance, -35);
    EXPECT_TRUE(f.out().boxes()[5].Active);
    EXPECT_FALSE(f.out().hasUnsavedChanges());
}

TEST(SoundOutput, DamagedSoundFileIsReportedAndNeverSavedOver)
{
    Sound f;
    const QByteArray damaged = "Sounddatei Default erstellt 01.01.2020\r\nAusgabe mit BASS\r\n*** BOX 0\r\n";
    f.write(QStringLiteral("Projekte/Default/Default.sou"), damaged);
    f.dialogs.informations.clear();
    EXPECT_FALSE(f.out().LoadSoundSettings());
    ASSERT_EQ(f.dialogs.informations.size(), 1);
    EXPECT_TRUE(f.dialogs.informations[0].startsWith(QStringLiteral("Die Sounddatei ")));
    EXPECT_TRUE(f.dialogs.informations[0].endsWith(QStringLiteral("Unerwartetes Dateiende nach Zeile 3")));

    f.setBox(4, 50, 0);
    f.dialogs.yesNoAnswers = {true};
    f.system().CloseWindow();
    EXPECT_EQ(f.dialogs.informations.value(1),
              QStringLiteral("Die Sounddatei wurde nicht fehlerfrei gelesen und wird nicht gespeichert."));
    EXPECT_EQ(f.read(QStringLiteral("Projekte/Default/Default.sou")), damaged);
}
