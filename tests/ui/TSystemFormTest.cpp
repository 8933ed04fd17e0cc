#include "ui/TSystemForm.h"

#include "UiFixture.h"
#include "core/TInfo.h"
#include "settings/SoundOutput.h"
#include "settings/TSystem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

namespace {
class TSystemFormTest : public UiFixture {
protected:
    TSystemFormTest()
    {
        fenster.info().ShowStartWindow(); // reads the new project's settings
        form = std::make_unique<TSystemForm>(programm, fenster.system());
        form->show();
    }

    template <typename T>
    T* child(const QString& name) const
    {
        T* widget = form->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    std::unique_ptr<TSystemForm> form;
};

TEST_F(TSystemFormTest, HasItsPages)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("System"));
    auto* pages = child<QTabWidget>(QStringLiteral("SystemPages"));
    const QStringList titles = {QStringLiteral("Verbindung"), QStringLiteral("Anzeige"), QStringLiteral("Optionen"),
                                QStringLiteral("Sound"), QStringLiteral("Verzeichnisse")};
    ASSERT_EQ(pages->count(), titles.size());
    for (int i = 0; i < titles.size(); ++i) {
        EXPECT_EQ(pages->tabText(i), titles[i]);
        EXPECT_EQ(pages->widget(i)->objectName(), titles[i]);
    }
}

TEST_F(TSystemFormTest, ConnectionPageFollowsTheChosenStation)
{
    // The project's station (Intellibox 1) is serial.
    EXPECT_EQ(child<QComboBox>(QStringLiteral("ZentralenAuswahl"))->currentIndex(), 2);
    EXPECT_TRUE(child<QGroupBox>(QStringLiteral("SerialGroup"))->isVisible());
    EXPECT_FALSE(child<QGroupBox>(QStringLiteral("NetzwerkGroup"))->isVisible());
    EXPECT_EQ(child<QComboBox>(QStringLiteral("BaudRateBox"))->currentText(), QStringLiteral("19200"));
    EXPECT_EQ(child<QComboBox>(QStringLiteral("ComPortBox"))->currentData().toString(), QStringLiteral("COM1"));

    auto* choice = child<QComboBox>(QStringLiteral("ZentralenAuswahl"));
    choice->setCurrentIndex(6);
    Q_EMIT choice->activated(6);
    EXPECT_FALSE(child<QGroupBox>(QStringLiteral("SerialGroup"))->isVisible());
    EXPECT_TRUE(child<QGroupBox>(QStringLiteral("NetzwerkGroup"))->isVisible());
    EXPECT_EQ(child<QLineEdit>(QStringLiteral("IpPortEdit"))->text(), QStringLiteral("15731"));
    auto* take = child<QPushButton>(QStringLiteral("NeuZentraleUebernehmenBtn"));
    ASSERT_TRUE(take->isVisible());
    EXPECT_FALSE(child<QPushButton>(QStringLiteral("SpeichernBtn"))->isEnabled());

    QTest::mouseClick(take, Qt::LeftButton);
    EXPECT_EQ(programm.ZentraleTyp(), 6);
    EXPECT_EQ(child<QLabel>(QStringLiteral("ZentraleLabel"))->text(), QStringLiteral("Märklin Central Station 2"));
    EXPECT_TRUE(child<QPushButton>(QStringLiteral("SpeichernBtn"))->isEnabled());

    QTest::mouseClick(child<QPushButton>(QStringLiteral("ZentraleAnzeigenBtn")), Qt::LeftButton);
    const CoreMessage* show = recorder.last(Msg::WM_SHOWPROTOKOL);
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->w.toNumber(), 6);
}

TEST_F(TSystemFormTest, OptionControlsChangeTheSettings)
{
    ProjectSettings& s = programm.settings;
    s.SettingsChanged = false;
    const struct {
        const char* box;
        const char* caption;
        bool ProjectSettings::*field;
    } boxes[] = {
        {"RasterAnzeigenCheck", "Raster anzeigen", &ProjectSettings::RasterAnzeigen},
        {"GleisplanInFarbeCheck", "Gleisplan in Farbe anzeigen", &ProjectSettings::GleisplanInFarbe},
        {"SignaleOhneNummerCheck", "Signale ohne Magnetartikelnr anzeigen", &ProjectSettings::ShowUnnumberedSignals},
        {"NichtAlleLoksanzeigenCheck", "Nur Loks anzeigen mit Adresse <> 0", &ProjectSettings::NichtAlleLoksanzeigen},
        {"LoksEinteilenCheck", "Loks anzeigen nach Zugart", &ProjectSettings::LoksEinteilen},
        {"SignalSchaltenCheck", "Signale nur schalten wenn Fahrstrasse damit gesetzt wird", &ProjectSettings::SignalSchalten},
        {"AlleLokfunktionenausschaltenCheck", "Alle Lok funktionen ausschalten in Schattenbahnhof",
         &ProjectSettings::AlleLokfunktionenausschalten},
        {"PowerOnByStartCheck", "Zentrale Einschalten bei Start", &ProjectSettings::PowerOnByStart},
        {"CS1_Fahren_mit_FahrstufenCheck", "CS1_Fahren_mit_Fahrstufen", &ProjectSettings::CS1_Fahren_mit_Fahrstufen},
        {"ContinuingRoutesBCheck", "B", &ProjectSettings::ContinuingRoutesB},
    };
    for (const auto& row : boxes) {
        auto* box = child<QCheckBox>(QString::fromLatin1(row.box));
        EXPECT_EQ(box->text(), QString::fromUtf8(row.caption));
        const bool before = s.*row.field;
        EXPECT_EQ(box->isChecked(), before) << row.box;
        box->click();
        EXPECT_EQ(s.*row.field, !before) << row.box;
    }
    EXPECT_TRUE(s.SettingsChanged);

    child<QPushButton>(QStringLiteral("IconFunktionsSpeedB1"))->click();
    EXPECT_EQ(s.FunktionBilderAuswahl, 1);
    child<QAbstractButton>(QStringLiteral("LoknameRadio"))->click();
    EXPECT_EQ(s.LocoDisplayMode, QStringLiteral("LoknameAnzeigen"));

    // The steppers show their values zero-filled as in the file.
    const struct {
        const char* name;
        const char* after;
    } steppers[] = {
        {"FunktionenOnOffDelay", "00600"},
        {"Automaticdelay", "02200"},
        {"WartezeitzwischenMagnetArt", "350"},
        {"InfoAnzeigenDauer", "1500"},
    };
    for (const auto& row : steppers) {
        const QString name = QString::fromLatin1(row.name);
        child<QPushButton>(name + QStringLiteral("Up"))->click();
        EXPECT_EQ(child<QLineEdit>(name + QStringLiteral("Edit"))->text(), QString::fromLatin1(row.after)) << row.name;
    }

    auto* accessories = child<QLineEdit>(QStringLiteral("MagnetArtikelAnzahlEdit"));
    accessories->clear();
    QTest::keyClicks(accessories, QStringLiteral("3x0"));
    EXPECT_EQ(accessories->text(), QStringLiteral("30"));
    QTest::keyClicks(accessories, QStringLiteral("0"));
    EXPECT_EQ(accessories->text(), QStringLiteral("250"));
    EXPECT_EQ(s.MagnetArtikelAnzahl, 250);
    EXPECT_EQ(child<QLabel>(QStringLiteral("MaxMagnetartikelLabel"))->text(), QStringLiteral("Max Magnetartikel : 250"));
}

TEST_F(TSystemFormTest, FolderFieldIsRedWhileTheFolderIsMissing)
{
    auto* loco = child<QLineEdit>(QStringLiteral("LokBilderVerzeichnisEdit"));
    loco->setFocus();
    loco->selectAll();
    QTest::keyClicks(loco, programFolder() + QStringLiteral("Fehlt"));
    QTest::keyClick(loco, Qt::Key_Return);
    EXPECT_EQ(programm.settings.LocoPictureFolder, programFolder() + QStringLiteral("Fehlt"));
    EXPECT_EQ(loco->palette().color(QPalette::Base), QColor(Qt::red));

    loco->selectAll();
    QTest::keyClicks(loco, programFolder() + QStringLiteral("Projekte"));
    QTest::keyClick(loco, Qt::Key_Return);
    EXPECT_NE(loco->palette().color(QPalette::Base), QColor(Qt::red));
}
TEST_F(TSystemFormTest, SoundPageEditsTheChosenBox)
{
    SoundOutput& sound = fenster.system().sound();
    auto* list = child<QListWidget>(QStringLiteral("SoundBoxListe"));
    auto* volume = child<QSlider>(QStringLiteral("VolumeSlider"));
    auto* balance = child<QSlider>(QStringLiteral("BalanceSlider"));
    auto* activate = child<QPushButton>(QStringLiteral("AktivierenBtn"));
    ASSERT_EQ(list->count(), 2); // two speakers: the left and the right box
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Sound Linke Box"));
    EXPECT_FALSE(volume->isEnabled()) << "disabled until a box is chosen";
    EXPECT_EQ(volume->maximum(), 100);
    EXPECT_EQ(balance->minimum(), -100);

    list->setCurrentRow(1);
    EXPECT_EQ(sound.SelectedBox, 5);
    EXPECT_TRUE(volume->isEnabled());
    EXPECT_EQ(child<QLineEdit>(QStringLiteral("SoundNameEdit"))->text(), QStringLiteral("Sound Rechte Box"));
    EXPECT_EQ(child<QPushButton>(QStringLiteral("SoundTestBtn"))->toolTip(), QStringLiteral("Sound an Sound Rechte Box abspielen"));
    volume->setValue(45);
    balance->setValue(-60);
    EXPECT_EQ(sound.boxes()[5].Volume, 45);
    EXPECT_EQ(sound.boxes()[5].Balance, -60);

    activate->click();
    EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(activate->text(), QStringLiteral("Deaktivieren"));
    list->item(0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(sound.boxes()[4].Active);

    auto* name = child<QLineEdit>(QStringLiteral("SoundNameEdit"));
    name->setText(QStringLiteral("Bahnsteig"));
    child<QPushButton>(QStringLiteral("NameAendernBtn"))->click();
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Bahnsteig"));
    EXPECT_TRUE(child<QPlainTextEdit>(QStringLiteral("SystemLogMemo"))->toPlainText().contains(QStringLiteral("BASS Initialisiert")));
}

TEST_F(TSystemFormTest, FallbackCheckBoxFollowsTheAnswer)
{
    auto* check = child<QCheckBox>(QStringLiteral("MMSystemCheck"));
    EXPECT_EQ(check->text(), QStringLiteral("Wenn Sound mit BASS nicht funktioniert - Sound über MMSystem einschalten"));
    dialogs.yesNoAnswers = {false};
    check->click();
    EXPECT_FALSE(check->isChecked()) << "No keeps the mode";

    dialogs.yesNoAnswers = {true};
    check->click();
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(child<QSlider>(QStringLiteral("VolumeSlider"))->maximum(), 65500);
    EXPECT_EQ(child<QSlider>(QStringLiteral("BalanceSlider"))->value(), 5);
}
} // namespace
